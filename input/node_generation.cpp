#include "input/node_generation.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "engine/error.h"
#include "engine/format_message.h"
#include "engine/node_numbering.h"
#include "input/data_file.h"
#include "input/exact_point_set.h"
#include "input/work_bounds.h"

namespace tesu {

static_assert(NODE_CAPACITY > NODE_LIMIT, "the node table must hold rows up to NODE_LIMIT");

namespace {

bool within_division_range(const Point& p) {
    return p.x >= DIVISION_RANGE_LOW && p.x <= DIVISION_RANGE_HIGH && p.y >= DIVISION_RANGE_LOW &&
           p.y <= DIVISION_RANGE_HIGH;
}

// Stores p in the next node row after n.
void append_node(MeshTables& mesh, int& n, const Point& p, int node_limit) {
    if (n + 1 >= node_limit) stop_at_node_capacity(node_limit);
    ++n;
    mesh.node_xy[n] = p;
}

// The vertex P and the nodes between it and the next vertex Q, each one
// local spacing beyond the one before; the last one, closer to Q than a
// spacing, is pulled back to halve the last gap.
void place_edge_nodes(MeshTables& mesh, int& n, const InputTables& input, const Point& p, const Point& q,
                      int node_limit) {
    append_node(mesh, n, p, node_limit);
    const double length = std::sqrt((q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y));
    double t = local_density(input, p.x, p.y) / length;
    int between = 0;
    while (t < 1) {
        const Point node{(1 - t) * p.x + t * q.x, (1 - t) * p.y + t * q.y};
        append_node(mesh, n, node, node_limit);
        ++between;
        t = t + local_density(input, node.x, node.y) / length;
    }
    if (between >= 1)
        mesh.node_xy[n] = {(mesh.node_xy[n - 1].x + q.x) / 2, (mesh.node_xy[n - 1].y + q.y) / 2};
}

}  // namespace

void normalise_input(InputTables& input) {
    double min_x = 1e30;
    double min_y = 1e30;
    double max_x = -1e30;
    double max_y = -1e30;
    for (int i = 0; i < input.outline_point_count; ++i) {
        const Point& p = input.outline_xy[i];
        if (p.x < min_x) min_x = p.x;
        if (p.x > max_x) max_x = p.x;
        if (p.y < min_y) min_y = p.y;
        if (p.y > max_y) max_y = p.y;
    }
    const double extent = std::max(std::fabs(max_x - min_x), std::fabs(max_y - min_y));
    const double data_scale = DRAWING_SIDE / extent;
    input.data_scale = data_scale;
    input.data_min_x = min_x;
    input.data_min_y = min_y;

    const auto convert = [&](Point& p) {
        p.x = (p.x - min_x) * data_scale;
        p.y = DRAWING_SIDE - (p.y - min_y) * data_scale;
    };
    for (int i = 0; i < input.outline_point_count; ++i) convert(input.outline_xy[i]);
    for (int k = 0; k < input.density_spec_count; ++k) {
        DensitySpec& row = input.density_spec[k];
        Point centre{row.x, row.y};
        convert(centre);
        row.x = centre.x;
        row.y = centre.y;
        row.radius = row.radius * data_scale;
        row.reach = row.reach * data_scale;
    }
    for (int i = 0; i < input.division_node_count; ++i) convert(input.division_xy[i]);
    input.basic_density = input.basic_density * data_scale;

    refuse_unbounded_work(input);
    input.outline_index.build(input);
    input.density_index.build(input);
}

int place_contour_nodes(MeshTables& mesh, const InputTables& input, int node_limit) {
    int n = ENCLOSING_CORNERS;  // the last row placed
    for (int f = 0; f < input.figure_count; ++f) {
        for (int j = figure_start(input, f); j < input.figure_end[f]; ++j) {
            place_edge_nodes(mesh, n, input, input.outline_xy[j], input.outline_xy[j + 1], node_limit);
        }
    }
    // Two nodes on one place would break the diagram.
    ExactPointSet outline_nodes;
    outline_nodes.assign(mesh, FIRST_NODE_ROW, n);
    if (outline_nodes.has_repeat())
        throw Error(ErrorCause::read, READ_ERROR_CAPTION, std::string(OUTLINE_FAILURE));
    return n;
}

int place_division_nodes(MeshTables& mesh, const InputTables& input, int last_contour_node, int node_limit) {
    for (int i = 0; i < input.division_node_count; ++i) {
        if (!within_division_range(input.division_xy[i])) {
            throw Error(ErrorCause::read, READ_ERROR_CAPTION, std::string(DIVISION_FAILURE));
        }
    }

    int n = last_contour_node;
    if (input.division_node_count == 0) return n;
    ExactPointSet outline_nodes;
    outline_nodes.assign(mesh, FIRST_NODE_ROW, last_contour_node);
    // A point equal to an earlier one is that one's node, placed already
    // unless it lies on an outline node too.
    const std::span divisions(input.division_xy.data(), static_cast<std::size_t>(input.division_node_count));
    const std::vector<bool> repeated = repeats_earlier_point(divisions);
    for (std::size_t i = 0; i < divisions.size(); ++i) {
        if (repeated[i] || outline_nodes.contains(divisions[i])) continue;
        append_node(mesh, n, divisions[i], node_limit);
    }
    return n;
}

void stop_at_node_capacity(int node_limit) {
    throw computation_error(
        format_message("輪郭線上だけでも、生成されるノードの個数が多すぎます。\nもっと数を減らすよう"
                       "にパラメータを調節して下さい。\nMAX_NUMBER!!! number =%d ",
                       node_limit),
        ErrorCause::capacity);
}

}  // namespace tesu
