#include "output/triangle_files_writer.h"

#include "output/export_text.h"

namespace tesu {

namespace {

void row(TextSink& out, std::initializer_list<int> values) {
    bool first = true;
    for (const int value : values) {
        if (!first) out.text(" ");
        out.integer(value);
        first = false;
    }
    out.text("\n");
}

void vertex(TextSink& out, int number, const Point& p, int marker) {
    out.integer(number);
    out.text(" ");
    write_round_trip(out, p.x);
    out.text(" ");
    write_round_trip(out, p.y);
    out.text(" ");
    out.integer(marker);
    out.text("\n");
}

int count(std::size_t n) { return static_cast<int>(n); }

}  // namespace

void node_file_text(TextSink& out, const FinishedMesh& mesh) {
    row(out, {count(mesh.nodes.size()), 2, 0, 1});
    for (int n = 1; n <= count(mesh.nodes.size()); ++n) {
        vertex(out, n, mesh.node(n), n <= mesh.outline_node_count ? 1 : 0);
    }
}

void ele_file_text(TextSink& out, const FinishedMesh& mesh) {
    row(out, {count(mesh.elements.size()), 3, 0});
    for (std::size_t i = 0; i < mesh.elements.size(); ++i) {
        const auto& [p, q, r] = mesh.elements[i];
        row(out, {count(i + 1), p, q, r});
    }
}

bool write_poly_file(const std::string& path, const FinishedMesh& mesh) {
    return write_export_file(path, [&mesh](TextSink& out) {
        std::vector<int> figure_of(static_cast<std::size_t>(mesh.outline_node_count), 0);
        for (std::size_t f = 0; f < mesh.figures.size(); ++f) {
            for (const int n : mesh.figures[f].loop)
                figure_of[static_cast<std::size_t>(n - 1)] = count(f + 1);
        }
        row(out, {mesh.outline_node_count, 2, 0, 1});
        for (int n = 1; n <= mesh.outline_node_count; ++n) {
            vertex(out, n, mesh.node(n), figure_of[static_cast<std::size_t>(n - 1)]);
        }

        const std::vector<OutlineSegment> segments = outline_segments(mesh);
        row(out, {count(segments.size()), 1});
        for (std::size_t i = 0; i < segments.size(); ++i) {
            const OutlineSegment& s = segments[i];
            row(out, {count(i + 1), s.from, s.to, s.figure + 1});
        }

        std::vector<Point> holes;
        for (const FinishedFigure& figure : mesh.figures) {
            if (figure.is_hole && figure.inner_point) holes.push_back(*figure.inner_point);
        }
        row(out, {count(holes.size())});
        for (std::size_t i = 0; i < holes.size(); ++i) {
            out.integer(count(i + 1));
            out.text(" ");
            write_round_trip(out, holes[i].x);
            out.text(" ");
            write_round_trip(out, holes[i].y);
            out.text("\n");
        }
    });
}

}  // namespace tesu
