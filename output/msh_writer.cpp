#include "output/msh_writer.h"

#include "output/export_text.h"

namespace tesu {

namespace {

// Gmsh element types.
inline constexpr int LINE = 1;
inline constexpr int TRIANGLE = 2;

// A number and the space that separates it from the next.
void field(TextSink& out, int value) {
    out.integer(value);
    out.text(" ");
}

// "id type 2 physical elementary" before the nodes; the elementary entity is
// numbered as the physical group.
void element_head(TextSink& out, int id, int type, int tag) {
    field(out, id);
    field(out, type);
    field(out, 2);
    field(out, tag);
    field(out, tag);
}

void write_physical_names(TextSink& out, const FinishedMesh& mesh) {
    const int figures = static_cast<int>(mesh.figures.size());
    out.text("$PhysicalNames\n");
    out.integer(figures + 1);
    out.text("\n");
    for (int f = 1; f <= figures; ++f) {
        out.text("1 ");
        field(out, f);
        out.text("\"outline ");
        out.integer(f);
        out.text("\"\n");
    }
    out.text("2 ");
    field(out, figures + 1);
    out.text("\"domain\"\n$EndPhysicalNames\n");
}

void write_nodes(TextSink& out, const FinishedMesh& mesh) {
    out.text("$Nodes\n");
    out.integer(static_cast<int>(mesh.nodes.size()));
    out.text("\n");
    for (std::size_t i = 0; i < mesh.nodes.size(); ++i) {
        field(out, static_cast<int>(i + 1));
        write_round_trip(out, mesh.nodes[i].x);
        out.text(" ");
        write_round_trip(out, mesh.nodes[i].y);
        out.text(" 0\n");
    }
    out.text("$EndNodes\n");
}

void write_elements(TextSink& out, const FinishedMesh& mesh) {
    const std::vector<OutlineSegment> segments = outline_segments(mesh);
    const int triangles = static_cast<int>(mesh.elements.size());
    const int domain = static_cast<int>(mesh.figures.size()) + 1;
    out.text("$Elements\n");
    out.integer(static_cast<int>(segments.size()) + triangles);
    out.text("\n");
    int id = triangles;
    for (const OutlineSegment& s : segments) {
        element_head(out, ++id, LINE, s.figure + 1);
        field(out, s.from);
        out.integer(s.to);
        out.text("\n");
    }
    for (int i = 0; i < triangles; ++i) {
        const auto& [p, q, r] = mesh.elements[static_cast<std::size_t>(i)];
        element_head(out, i + 1, TRIANGLE, domain);
        field(out, p);
        field(out, q);
        out.integer(r);
        out.text("\n");
    }
    out.text("$EndElements\n");
}

}  // namespace

bool write_msh_file(const std::string& path, const FinishedMesh& mesh) {
    return write_export_file(path, [&mesh](TextSink& out) {
        out.text("$MeshFormat\n2.2 0 8\n$EndMeshFormat\n");
        write_physical_names(out, mesh);
        write_nodes(out, mesh);
        write_elements(out, mesh);
    });
}

}  // namespace tesu
