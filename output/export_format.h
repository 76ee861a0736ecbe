// Which mesh format an export file name asks for, by its extension in any
// case. Header-only, so that the command line can refuse a name it cannot
// serve before anything is computed.
#pragma once

#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tesu {

enum class ExportFormat {
    gmsh,             // .msh: Gmsh MSH 2.2 ASCII
    vtu,              // .vtu: VTK XML unstructured grid, ASCII
    triangle_mesh,    // .node or .ele: the Triangle-style pair, both written
    triangle_outline  // .poly: the outlines and holes
};

// The extension of the file's own name, after its last '.', or "" when the
// name has none.
inline std::string file_extension(std::string_view path) {
    const std::string name = std::filesystem::path(path).filename().string();
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

inline std::optional<ExportFormat> export_format_of(std::string_view path) {
    std::string extension = file_extension(path);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "msh") return ExportFormat::gmsh;
    if (extension == "vtu") return ExportFormat::vtu;
    if (extension == "node" || extension == "ele") return ExportFormat::triangle_mesh;
    if (extension == "poly") return ExportFormat::triangle_outline;
    return std::nullopt;
}

}  // namespace tesu
