#include "output/mesh_export.h"

#include <algorithm>
#include <cctype>

#include "output/export_format.h"
#include "output/export_text.h"
#include "output/msh_writer.h"
#include "output/triangle_files_writer.h"
#include "output/vtu_writer.h"

namespace tesu {

namespace {

// `path` with its extension replaced by `lower_extension`, in upper case when
// the extension given was all upper case (X.NODE goes with X.ELE).
std::string sibling(const std::string& path, std::string lower_extension) {
    const std::string extension = file_extension(path);
    const bool upper = std::none_of(extension.begin(), extension.end(),
                                    [](char c) { return std::islower(static_cast<unsigned char>(c)); });
    if (upper) {
        for (char& c : lower_extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return path.substr(0, path.size() - extension.size()) + lower_extension;
}

}  // namespace

std::vector<std::string> export_file_paths(const std::string& path) {
    if (export_format_of(path) == ExportFormat::triangle_mesh)
        return {sibling(path, "node"), sibling(path, "ele")};
    return {path};
}

std::vector<std::string> write_mesh_export(const std::string& path, const FinishedMesh& mesh) {
    std::vector<std::string> failed;
    using Writer = bool (*)(const std::string&, const FinishedMesh&);
    const auto write = [&failed, &mesh](const std::string& file, Writer writer) {
        if (!writer(file, mesh)) failed.push_back(file);
    };
    const std::optional<ExportFormat> format = export_format_of(path);
    if (!format) return {path};
    switch (*format) {
        case ExportFormat::gmsh:
            write(path, write_msh_file);
            break;
        case ExportFormat::vtu:
            write(path, write_vtu_file);
            break;
        case ExportFormat::triangle_mesh:
            // A new .node beside an old .ele would not belong together.
            failed = write_export_files(
                {{sibling(path, "node"), [&mesh](TextSink& out) { node_file_text(out, mesh); }},
                 {sibling(path, "ele"), [&mesh](TextSink& out) { ele_file_text(out, mesh); }}});
            break;
        case ExportFormat::triangle_outline:
            write(path, write_poly_file);
            break;
    }
    return failed;
}

}  // namespace tesu
