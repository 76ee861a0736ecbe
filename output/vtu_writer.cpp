#include "output/vtu_writer.h"

#include "output/export_text.h"

namespace tesu {

namespace {

inline constexpr std::string_view VTK_TRIANGLE = "5";

void open_array(TextSink& out, std::string_view type, std::string_view name, int components = 0) {
    out.text("<DataArray type=\"");
    out.text(type);
    out.text("\"");
    if (!name.empty()) {
        out.text(" Name=\"");
        out.text(name);
        out.text("\"");
    }
    if (components > 0) {
        out.text(" NumberOfComponents=\"");
        out.integer(components);
        out.text("\"");
    }
    out.text(" format=\"ascii\">\n");
}

void close_array(TextSink& out) { out.text("</DataArray>\n"); }

void write_points(TextSink& out, const FinishedMesh& mesh) {
    out.text("<Points>\n");
    open_array(out, "Float64", "", 3);
    for (const Point& p : mesh.nodes) {
        write_round_trip(out, p.x);
        out.text(" ");
        write_round_trip(out, p.y);
        out.text(" 0\n");
    }
    close_array(out);
    out.text("</Points>\n");
}

void write_cells(TextSink& out, const FinishedMesh& mesh) {
    out.text("<Cells>\n");
    open_array(out, "Int32", "connectivity");
    for (const auto& [p, q, r] : mesh.elements) {
        out.integer(p - 1);
        out.text(" ");
        out.integer(q - 1);
        out.text(" ");
        out.integer(r - 1);
        out.text("\n");
    }
    close_array(out);
    open_array(out, "Int32", "offsets");
    for (std::size_t i = 1; i <= mesh.elements.size(); ++i) {
        out.integer(static_cast<int>(3 * i));
        out.text("\n");
    }
    close_array(out);
    open_array(out, "UInt8", "types");
    for (std::size_t i = 0; i < mesh.elements.size(); ++i) {
        out.text(VTK_TRIANGLE);
        out.text("\n");
    }
    close_array(out);
    out.text("</Cells>\n");
}

void write_cell_data(TextSink& out, const FinishedMesh& mesh) {
    out.text("<CellData Scalars=\"smallest_angle\">\n");
    open_array(out, "Float64", "smallest_angle");
    for (const double angle : mesh.smallest_angles) {
        write_round_trip(out, angle);
        out.text("\n");
    }
    close_array(out);
    out.text("</CellData>\n");
}

}  // namespace

bool write_vtu_file(const std::string& path, const FinishedMesh& mesh) {
    return write_export_file(path, [&mesh](TextSink& out) {
        out.text(
            "<?xml version=\"1.0\"?>\n"
            "<VTKFile type=\"UnstructuredGrid\" version=\"0.1\" byte_order=\"LittleEndian\">\n"
            "<UnstructuredGrid>\n<Piece NumberOfPoints=\"");
        out.integer(static_cast<int>(mesh.nodes.size()));
        out.text("\" NumberOfCells=\"");
        out.integer(static_cast<int>(mesh.elements.size()));
        out.text("\">\n");
        write_points(out, mesh);
        write_cells(out, mesh);
        write_cell_data(out, mesh);
        out.text("</Piece>\n</UnstructuredGrid>\n</VTKFile>\n");
    });
}

}  // namespace tesu
