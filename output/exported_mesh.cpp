#include "output/exported_mesh.h"

#include <cmath>

#include "output/distortion.h"
#include "output/element_selection.h"
#include "output/figure_holes.h"
#include "output/file_units.h"
#include "output/result_file.h"

namespace tesu {

namespace {

// Node index k is node number k - 3.
inline constexpr int FIRST_NODE = 4;

bool at_point(const MeshTables& mesh, int k, const Point& point) {
    return mesh.node_xy[k].x == point.x && mesh.node_xy[k].y == point.y;
}

// Each figure's outline nodes start at the node placed on its first point and
// run up to the next figure's first node. A figure whose first node cannot be
// found (the run always places it) gets an empty loop.
std::vector<std::vector<int>> outline_loops(const MeshTables& mesh, const InputTables& input,
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
        for (int k = first[f]; k <= end; ++k) loops[f].push_back(k - 3);
    }
    return loops;
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

}  // namespace

ExportedMesh collect_exported_mesh(const MeshTables& mesh, const InputTables& input, int last_contour_node) {
    ExportedMesh out;
    out.outline_node_count = last_contour_node - 3;
    out.nodes.reserve(static_cast<std::size_t>(mesh.number > 3 ? mesh.number - 3 : 0));
    for (int k = FIRST_NODE; k <= mesh.number; ++k)
        out.nodes.push_back(to_file_units(input, mesh.node_xy[k]));

    const std::vector<int> elements = find_elements(mesh, input);
    out.elements.reserve(elements.size());
    out.smallest_angles.reserve(elements.size());
    for (const int v : elements) {
        const std::array<int, 3> nodes = vp_nodes(mesh, v);
        const auto [p, q, r] = element_order(mesh, input, nodes);
        out.elements.push_back({p - 3, q - 3, r - 3});
        // In the vp's own node order, as the distortion histogram measures it.
        out.smallest_angles.push_back(
            smallest_angle(mesh.node_xy[nodes[0]], mesh.node_xy[nodes[1]], mesh.node_xy[nodes[2]]));
    }

    const std::vector<std::vector<int>> loops = outline_loops(mesh, input, last_contour_node);
    const std::vector<FigureInterior> interiors = classify_figures(input);
    for (int f = 0; f < input.figure_count; ++f) {
        const auto i = static_cast<std::size_t>(f);
        ExportedFigure figure;
        figure.loop = loops[i];
        figure.is_hole = interiors[i].is_hole;
        if (interiors[i].inner_point) figure.inner_point = to_file_units(input, *interiors[i].inner_point);
        figure.area = outline_area(input, f);
        out.figures.push_back(std::move(figure));
    }
    return out;
}

std::vector<OutlineSegment> outline_segments(const ExportedMesh& mesh) {
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
