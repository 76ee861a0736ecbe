#include "output/finished_mesh.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/node_numbering.h"
#include "input/element_selection.h"
#include "input/exact_point_set.h"
#include "output/distortion.h"
#include "output/element_order.h"
#include "output/figure_holes.h"
#include "output/file_units.h"

namespace tesu {

namespace {

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

// Outline nodes where a figure after the first begins: the first one that
// lies at the figure's first point, looked for after the last one found.
std::vector<int> figure_first_nodes(const MeshTables& mesh, const InputTables& input, int last_contour_node) {
    std::vector<int> firsts;
    int next_figure = 1;
    for (int k = FIRST_NODE_ROW; k <= last_contour_node; ++k) {
        if (next_figure < input.figure_count &&
            at_point(mesh, k, input.outline_xy[input.figure_end[next_figure - 1] + 1])) {
            firsts.push_back(node_number(k));
            ++next_figure;
        }
    }
    return firsts;
}

}  // namespace

std::vector<std::vector<int>> outline_loop_rows(const MeshTables& mesh, const InputTables& input,
                                                int last_contour_node) {
    std::vector<int> first(static_cast<std::size_t>(input.figure_count), 0);
    int cursor = FIRST_NODE_ROW;
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
    out.outline_node_count = node_number(last_contour_node);
    const auto node_count = static_cast<std::size_t>(std::max(node_number(mesh.number), 0));
    out.nodes.reserve(node_count);
    out.drawing_nodes.reserve(node_count);
    for (int k = FIRST_NODE_ROW; k <= mesh.number; ++k) {
        out.nodes.push_back(to_file_units(input, mesh.node_xy[k]));
        out.drawing_nodes.push_back(mesh.node_xy[k]);
    }

    const std::vector<int> elements = find_elements(mesh, input);
    out.elements.reserve(elements.size());
    out.triangles.reserve(elements.size());
    out.smallest_angles.reserve(elements.size());
    for (const int v : elements) {
        const std::array<int, 3> nodes = vp_nodes(mesh, v);
        const auto [p, q, r] = element_order(mesh, input, nodes);
        out.elements.push_back({node_number(p), node_number(q), node_number(r)});
        out.triangles.push_back({node_number(nodes[0]), node_number(nodes[1]), node_number(nodes[2])});
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
        for (const int k : loops[i]) figure.loop.push_back(node_number(k));
        figure.is_hole = interiors[i].is_hole;
        if (interiors[i].inner_point) figure.inner_point = to_file_units(input, *interiors[i].inner_point);
        figure.area = outline_area(input, f);
        out.figures.push_back(std::move(figure));
    }

    // The nodes an outline or division point can lie on: the outline and
    // division-specified nodes. An interior node is never placed on a node,
    // and a division point either became a node or lies on an earlier one,
    // so no two of them share a position.
    ExactPointSet placed;
    placed.assign(mesh, FIRST_NODE_ROW, std::min(mesh.number, last_contour_node + input.division_node_count));
    for (int f = 0; f < input.figure_count; ++f) {
        std::vector<int>& at_points = out.outline_point_nodes.emplace_back();
        for (int i = figure_start(input, f); i < input.figure_end[f]; ++i) {
            if (const int k = placed.find(input.outline_xy[i]); k >= 0) at_points.push_back(node_number(k));
        }
    }
    for (int i = 0; i < input.division_node_count; ++i) {
        if (const int k = placed.find(input.division_xy[i]); k >= 0)
            out.division_point_nodes.push_back(node_number(k));
    }
    out.figure_first_nodes = figure_first_nodes(mesh, input, last_contour_node);
    out.vp_number = mesh.vp_number;
    out.ve_number = mesh.ve_number;
    return out;
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
