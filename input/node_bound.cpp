#include "input/node_bound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tesu {

namespace {

// Room left for the rounding of the spacing and the slack of the interior
// search, which let nodes come slightly closer than the spacing.
inline constexpr double SPACING_MARGIN = 0.9;
// Below this spacing (drawing units) the rounding could matter: no bound.
inline constexpr double SMALLEST_BOUNDED_SPACING = 1e-5;

}  // namespace

int highest_node_row(const InputTables& input, int node_limit) {
    // Neither a refinement nor the basic density lets the spacing anywhere
    // fall below the smallest of them.
    double spacing = input.basic_density;
    for (int k = 0; k < input.density_spec_count; ++k)
        spacing = std::min(spacing, input.density_spec[k].radius);
    spacing *= SPACING_MARGIN;
    if (!(spacing >= SMALLEST_BOUNDED_SPACING)) return node_limit;

    double rows = 3;
    for (int f = 0; f < input.figure_count; ++f) {
        for (int j = figure_start(input, f); j < input.figure_end[f]; ++j) {
            const Point& p = input.outline_xy[j];
            const Point& q = input.outline_xy[j + 1];
            rows += std::ceil(std::hypot(q.x - p.x, q.y - p.y) / spacing) + 2;
        }
    }
    rows += input.division_node_count;
    const double side = DRAWING_SIDE + spacing;
    rows += std::floor(side * side / (std::numbers::pi * spacing * spacing / 4)) + 1;
    return rows < node_limit ? static_cast<int>(rows) : node_limit;
}

}  // namespace tesu
