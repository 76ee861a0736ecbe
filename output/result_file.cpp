#include "output/result_file.h"

#include "output/atomic_file.h"
#include "output/cp932_labels.h"
#include "output/distortion.h"
#include "output/text_sink.h"

namespace tesu {

namespace {

void write_label_line(TextSink& out, std::string_view label) {
    out.text(label);
    out.line_end();
}

// "%4d %f %f" with the node's number and its coordinates in file units.
void write_node_line(TextSink& out, const FinishedMesh& mesh, int n) {
    const Point& p = mesh.node(n);
    out.integer_width4(n);
    out.text(" ");
    out.fixed6(p.x);
    out.text(" ");
    out.fixed6(p.y);
    out.line_end();
}

void write_nodes(TextSink& out, const FinishedMesh& mesh) {
    write_label_line(out, cp932::TITLE);
    out.line_end();
    const int count = static_cast<int>(mesh.nodes.size());
    out.integer(count);
    write_label_line(out, cp932::NODE_COUNT);
    write_label_line(out, cp932::COLUMN_HEADS);
    for (int n = 1; n <= count; ++n) write_node_line(out, mesh, n);
}

void write_elements(TextSink& out, const FinishedMesh& mesh) {
    out.line_end();
    out.integer(static_cast<int>(mesh.elements.size()));
    write_label_line(out, cp932::ELEMENT_COUNT);
    for (const auto& [p, q, r] : mesh.elements) {
        out.integer_width4(p);
        out.text(" ");
        out.integer_width4(q);
        out.text(" ");
        out.integer_width4(r);
        out.line_end();
    }
}

// The node at each outline point of each figure, one empty line after each
// figure.
void write_outline_points(TextSink& out, const FinishedMesh& mesh) {
    out.line_end();
    write_label_line(out, cp932::OUTLINE_POINTS);
    write_label_line(out, cp932::COLUMN_HEADS);
    for (const std::vector<int>& figure : mesh.outline_point_nodes) {
        for (const int n : figure) write_node_line(out, mesh, n);
        out.line_end();
    }
}

// All nodes on the outlines, an empty line before the first node of each
// figure after the first.
void write_outline_nodes(TextSink& out, const FinishedMesh& mesh) {
    write_label_line(out, cp932::OUTLINE_NODES);
    out.integer(mesh.outline_node_count);
    write_label_line(out, cp932::OUTLINE_NODE_COUNT);
    auto next_figure = mesh.figure_first_nodes.begin();
    for (int n = 1; n <= mesh.outline_node_count; ++n) {
        if (next_figure != mesh.figure_first_nodes.end() && *next_figure == n) {
            out.line_end();
            ++next_figure;
        }
        write_node_line(out, mesh, n);
    }
}

void write_division_points(TextSink& out, const FinishedMesh& mesh) {
    out.line_end();
    write_label_line(out, cp932::DIVISION_POINTS);
    write_label_line(out, cp932::COLUMN_HEADS);
    for (const int n : mesh.division_point_nodes) write_node_line(out, mesh, n);
}

}  // namespace

bool write_result_file(const FinishedMesh& mesh, const std::string& path, int histogram_step,
                       std::string* reason) {
    AtomicFile file(path);
    const auto failed = [&] {
        if (reason) *reason = file.failure_reason();
        return false;
    };
    if (!file.is_open()) return failed();
    TextSink out([&file](std::string_view block) { return file.write(block); });
    write_result_text(out, mesh, histogram_step);
    if (!out.finish() || !file.commit()) return failed();
    return true;
}

void write_result_text(TextSink& out, const FinishedMesh& mesh, int histogram_step) {
    write_nodes(out, mesh);
    write_elements(out, mesh);
    write_outline_points(out, mesh);
    write_outline_nodes(out, mesh);
    write_division_points(out, mesh);
    out.line_end();
    write_label_line(out, cp932::END_OF_DATA);
    DistortionBins bins{};
    for (const double degrees : mesh.smallest_angles) add_distortion(bins, degrees);
    write_distortion_section(out, bins, histogram_step, static_cast<int>(mesh.elements.size()));
}

}  // namespace tesu
