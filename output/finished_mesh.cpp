#include "output/finished_mesh.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "input/element_selection.h"
#include "output/distortion.h"
#include "output/figure_holes.h"
#include "output/file_units.h"

namespace tesu {

namespace {

// Node index k is node number k - 3.
inline constexpr int FIRST_NODE = 4;

bool at_point(const MeshTables& mesh, int k, const Point& point) {
    return mesh.node_xy[k].x == point.x && mesh.node_xy[k].y == point.y;
}

// Measured from the figure's first point, so that coordinates far from the
// origin do not cancel away the digits that matter.
double outline_area(const InputTables& input, int f) {
    const Point origin = to_file_units(input, input.outline_xy[figure_start(input, f)]);
    double twice = 0;
    for (int j = figure_start(input, f); j < input.figure_end[f]; ++j) {
        const Point a = to_file_units(input, input.outline_xy[j]);
        const Point b = to_file_units(input, input.outline_xy[j + 1]);
        twice += (a.x - origin.x) * (b.y - origin.y) - (b.x - origin.x) * (a.y - origin.y);
    }
    return std::fabs(twice) / 2;
}

// The nodes an outline or division point can lie on, sorted by position: the outline
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

// Outline nodes where a figure after the first begins: the first one that
// lies at the figure's first point, looked for after the last one found.
std::vector<int> figure_first_nodes(const MeshTables& mesh, const InputTables& input, int last_contour_node) {
    std::vector<int> firsts;
    int next_figure = 1;
    for (int k = FIRST_NODE; k <= last_contour_node; ++k) {
        if (next_figure < input.figure_count &&
            at_point(mesh, k, input.outline_xy[input.figure_end[next_figure - 1] + 1])) {
            firsts.push_back(k - 3);
            ++next_figure;
        }
    }
    return firsts;
}

}  // namespace

std::vector<std::vector<int>> outline_loop_rows(const MeshTables& mesh, const InputTables& input,
                                                int last_contour_node) {
    std::vector<int> first(static_cast<std::size_t>(input.figure_count), 0);
    int cursor = FIRST_NODE;
    for (int f = 0; f < input.figure_count; ++f) {
        const Point& start = input.outline_xy[figure_start(input, f)];
        for (int k = cursor; k <= last_contour_node; ++k) {
            if (at_point(mesh, k, start)) {
                first[static_cast<std::size_t>(f)] = k;
                cursor = k + 1;
                break;
            }
        }
    }
    std::vector<std::vector<int>> loops(first.size());
    for (std::size_t f = 0; f < first.size(); ++f) {
        if (first[f] == 0) continue;
        int end = last_contour_node;
        for (std::size_t g = f + 1; g < first.size(); ++g) {
            if (first[g] != 0) {
                end = first[g] - 1;
                break;
            }
        }
        for (int k = first[f]; k <= end; ++k) loops[f].push_back(k);
    }
    return loops;
}

FinishedMesh collect_finished_mesh(const MeshTables& mesh, const InputTables& input, int last_contour_node) {
    FinishedMesh out;
    out.outline_node_count = last_contour_node - 3;
    out.nodes.reserve(static_cast<std::size_t>(mesh.number > 3 ? mesh.number - 3 : 0));
    for (int k = FIRST_NODE; k <= mesh.number; ++k)
        out.nodes.push_back(to_file_units(input, mesh.node_xy[k]));

    const std::vector<int> elements = find_elements(mesh, input);
    out.elements.reserve(elements.size());
    out.triangles.reserve(elements.size());
    out.smallest_angles.reserve(elements.size());
    for (const int v : elements) {
        const std::array<int, 3> nodes = vp_nodes(mesh, v);
        const auto [p, q, r] = element_order(mesh, input, nodes);
        out.elements.push_back({p - 3, q - 3, r - 3});
        out.triangles.push_back({nodes[0] - 3, nodes[1] - 3, nodes[2] - 3});
        // In the vp's own node order, as the distortion histogram measures it.
        out.smallest_angles.push_back(
            smallest_angle(mesh.node_xy[nodes[0]], mesh.node_xy[nodes[1]], mesh.node_xy[nodes[2]]));
    }

    const std::vector<std::vector<int>> loops = outline_loop_rows(mesh, input, last_contour_node);
    const std::vector<FigureInterior> interiors = classify_figures(input);
    for (int f = 0; f < input.figure_count; ++f) {
        const auto i = static_cast<std::size_t>(f);
        FinishedFigure figure;
        for (int j = figure_start(input, f); j <= input.figure_end[f]; ++j) {
            figure.outline.push_back(to_file_units(input, input.outline_xy[j]));
        }
        for (const int k : loops[i]) figure.loop.push_back(k - 3);
        figure.is_hole = interiors[i].is_hole;
        if (interiors[i].inner_point) figure.inner_point = to_file_units(input, *interiors[i].inner_point);
        figure.area = outline_area(input, f);
        out.figures.push_back(std::move(figure));
    }

    const PlacedNodeIndex placed(mesh, std::min(mesh.number, last_contour_node + input.division_node_count));
    for (int f = 0; f < input.figure_count; ++f) {
        std::vector<int>& at_points = out.outline_point_nodes.emplace_back();
        for (int i = figure_start(input, f); i < input.figure_end[f]; ++i) {
            if (const int k = placed.find(input.outline_xy[i]); k != 0) at_points.push_back(k - 3);
        }
    }
    for (int i = 0; i < input.division_node_count; ++i) {
        if (const int k = placed.find(input.division_xy[i]); k != 0)
            out.division_point_nodes.push_back(k - 3);
    }
    out.figure_first_nodes = figure_first_nodes(mesh, input, last_contour_node);
    out.vp_number = mesh.vp_number;
    out.ve_number = mesh.ve_number;
    return out;
}

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

std::vector<OutlineSegment> outline_segments(const FinishedMesh& mesh) {
    std::vector<OutlineSegment> segments;
    for (std::size_t f = 0; f < mesh.figures.size(); ++f) {
        const std::vector<int>& loop = mesh.figures[f].loop;
        for (std::size_t i = 0; i + 1 < loop.size(); ++i) {
            segments.push_back({static_cast<int>(f), loop[i], loop[i + 1]});
        }
        if (loop.size() > 2) segments.push_back({static_cast<int>(f), loop.back(), loop.front()});
    }
    return segments;
}

}  // namespace tesu
