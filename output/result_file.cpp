#include "output/result_file.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "output/atomic_file.h"
#include "output/cp932_labels.h"
#include "output/distortion.h"
#include "output/element_selection.h"
#include "output/file_units.h"
#include "output/text_sink.h"

namespace tesu {

namespace {

// Node index k is written as node number k - 3.
inline constexpr int FIRST_NODE = 4;

void write_label_line(TextSink& out, std::string_view label) {
    out.text(label);
    out.line_end();
}

// "%4d %f %f" with the node's number and its coordinates in file units.
void write_node_line(TextSink& out, const MeshTables& mesh, const InputTables& input, int k) {
    const Point p = to_file_units(input, mesh.node_xy[k]);
    out.integer_width4(k - 3);
    out.text(" ");
    out.fixed6(p.x);
    out.text(" ");
    out.fixed6(p.y);
    out.line_end();
}

bool at_point(const MeshTables& mesh, int k, const Point& point) {
    return mesh.node_xy[k].x == point.x && mesh.node_xy[k].y == point.y;
}

// The nodes a division point can lie on, sorted by position: the outline
// and division-specified nodes. An interior node is never placed on a node,
// and a division point either became a node or lies on an earlier one. No
// two nodes share a position; a NaN coordinate is on no node.
class PlacedNodeIndex {
public:
    PlacedNodeIndex(const MeshTables& mesh, int last) {
        for (int k = FIRST_NODE; k <= last; ++k) {
            const Point& p = mesh.node_xy[k];
            if (!std::isnan(p.x) && !std::isnan(p.y)) nodes_.push_back({p, k});
        }
        std::sort(nodes_.begin(), nodes_.end(),
                  [](const Entry& a, const Entry& b) { return before(a.at, b.at); });
    }

    // The node at `point`, 0 when none.
    int find(const Point& point) const {
        const auto found = std::lower_bound(nodes_.begin(), nodes_.end(), point,
                                            [](const Entry& e, const Point& p) { return before(e.at, p); });
        if (found == nodes_.end() || found->at.x != point.x || found->at.y != point.y) return 0;
        return found->node;
    }

private:
    struct Entry {
        Point at;
        int node;
    };
    // 0 and -0 compare equal, as the nodes are found by their coordinates.
    static bool before(const Point& a, const Point& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); }

    std::vector<Entry> nodes_;
};

void write_nodes(TextSink& out, const MeshTables& mesh, const InputTables& input) {
    write_label_line(out, cp932::TITLE);
    out.line_end();
    out.integer(mesh.number - 3);
    write_label_line(out, cp932::NODE_COUNT);
    write_label_line(out, cp932::COLUMN_HEADS);
    for (int k = FIRST_NODE; k <= mesh.number; ++k) write_node_line(out, mesh, input, k);
}

// Draws the element's edges and writes its line, nodes in element order.
void write_element(TextSink& out, const MeshTables& mesh, const InputTables& input, int v,
                   Platform& platform) {
    const auto [p, q, r] = element_order(mesh, input, vp_nodes(mesh, v));
    const Point& a = mesh.node_xy[p];
    const Point& b = mesh.node_xy[q];
    const Point& c = mesh.node_xy[r];
    platform.draw_line(a.x, a.y, b.x, b.y);
    platform.draw_line(b.x, b.y, c.x, c.y);
    platform.draw_line(c.x, c.y, a.x, a.y);
    out.integer_width4(p - 3);
    out.text(" ");
    out.integer_width4(q - 3);
    out.text(" ");
    out.integer_width4(r - 3);
    out.line_end();
}

// The node at each outline point of each figure (closing points skipped),
// one empty line after each figure.
void write_outline_points(TextSink& out, const MeshTables& mesh, const InputTables& input,
                          const PlacedNodeIndex& placed) {
    out.line_end();
    write_label_line(out, cp932::OUTLINE_POINTS);
    write_label_line(out, cp932::COLUMN_HEADS);
    for (int f = 0; f < input.figure_count; ++f) {
        for (int i = figure_start(input, f); i < input.figure_end[f]; ++i) {
            const int k = placed.find(input.outline_xy[i]);
            if (k != 0) write_node_line(out, mesh, input, k);
        }
        out.line_end();
    }
}

// All nodes on the outlines, an empty line before the first node that lies
// at the first point of each figure after the first.
void write_outline_nodes(TextSink& out, const MeshTables& mesh, const InputTables& input,
                         int last_contour_node) {
    write_label_line(out, cp932::OUTLINE_NODES);
    out.integer(last_contour_node - 3);
    write_label_line(out, cp932::OUTLINE_NODE_COUNT);
    int next_figure = 1;
    for (int k = FIRST_NODE; k <= last_contour_node; ++k) {
        if (next_figure < input.figure_count &&
            at_point(mesh, k, input.outline_xy[input.figure_end[next_figure - 1] + 1])) {
            out.line_end();
            ++next_figure;
        }
        write_node_line(out, mesh, input, k);
    }
}

void write_division_points(TextSink& out, const MeshTables& mesh, const InputTables& input,
                           const PlacedNodeIndex& placed) {
    out.line_end();
    write_label_line(out, cp932::DIVISION_POINTS);
    write_label_line(out, cp932::COLUMN_HEADS);
    for (int i = 0; i < input.division_node_count; ++i) {
        const int k = placed.find(input.division_xy[i]);
        if (k != 0) write_node_line(out, mesh, input, k);
    }
}

}  // namespace

std::array<int, 3> element_order(const MeshTables& mesh, const InputTables& input, std::array<int, 3> nodes) {
    auto [p, q, r] = nodes;
    const auto x = [&mesh](int n) { return mesh.node_xy[n].x; };
    const auto y = [&mesh](int n) { return mesh.node_xy[n].y; };

    // P becomes the lowest node on the screen (greatest Y), the earlier one of
    // equal values staying.
    if (y(p) < y(q)) std::swap(p, q);
    if (y(p) < y(r)) std::swap(p, r);
    if (y(p) == y(q)) {
        if (x(p) < x(q)) std::swap(p, q);
    } else if (y(p) == y(r)) {
        std::swap(q, r);
        if (x(p) < x(q)) std::swap(p, q);
    } else {
        if (x(q) > x(r)) std::swap(q, r);
        if (x(q) == x(r)) {
            if (x(p) > x(q) ? y(r) > y(q) : y(q) > y(r)) std::swap(q, r);
        }
    }
    std::swap(p, r);

    // Make the order counter-clockwise in file units.
    const Point fp = to_file_units(input, mesh.node_xy[p]);
    const Point fq = to_file_units(input, mesh.node_xy[q]);
    const Point fr = to_file_units(input, mesh.node_xy[r]);
    const double turn = (fr.x - fp.x) * (fq.y - fp.y) + (fq.x - fp.x) * (fp.y - fr.y);
    if (turn > 0) std::swap(p, r);
    return {p, q, r};
}

bool write_result_file(const MeshTables& mesh, const InputTables& input, RunResults& results,
                       Platform& platform) {
    // The mesh is counted and drawn even when its file cannot be written; the
    // text then goes nowhere.
    AtomicFile file(results.output_file_name);
    TextSink out(file.is_open()
                     ? TextSink::Destination([&file](std::string_view block) { return file.write(block); })
                     : TextSink::Destination());

    DistortionBins bins{};
    write_nodes(out, mesh, input);

    const std::vector<int> elements = find_elements(mesh, input);
    int element_count = 0;
    for (const int v : elements) {
        const auto [p, q, r] = vp_nodes(mesh, v);
        add_element_distortion(bins, mesh, p, q, r);
        ++element_count;
    }
    results.element_count = element_count;
    out.line_end();
    out.integer(results.element_count);
    write_label_line(out, cp932::ELEMENT_COUNT);
    for (const int v : elements) write_element(out, mesh, input, v, platform);

    const PlacedNodeIndex placed(
        mesh, std::min(mesh.number, results.last_contour_node + input.division_node_count));
    write_outline_points(out, mesh, input, placed);
    write_outline_nodes(out, mesh, input, results.last_contour_node);
    write_division_points(out, mesh, input, placed);
    out.line_end();
    write_label_line(out, cp932::END_OF_DATA);
    write_distortion_section(out, bins, results.histogram_step, results.element_count);

    return out.finish() && file.commit();
}

}  // namespace tesu
