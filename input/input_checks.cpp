#include "input/input_checks.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace tesu {

bool is_positive_value(double value) { return std::isfinite(value) && value > 0; }

bool is_usable_refinement(const DensitySpec& row) {
    const bool finite =
        std::isfinite(row.x) && std::isfinite(row.y) && std::isfinite(row.radius) && std::isfinite(row.reach);
    return finite && row.radius > 0 && row.reach >= 0;
}

bool is_finite_point(const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool outline_is_usable(const InputTables& input) {
    const std::span points(input.outline_xy.data(), static_cast<std::size_t>(input.outline_point_count));
    if (points.empty()) return false;
    const auto [min_x, max_x] = std::ranges::minmax(points, {}, &Point::x);
    const auto [min_y, max_y] = std::ranges::minmax(points, {}, &Point::y);
    if (min_x.x == max_x.x && min_y.y == max_y.y) return false;
    int figures = 0;
    for_each_figure_end(input, [&](int) { ++figures; });
    return figures <= FIGURE_CAPACITY;
}

}  // namespace tesu
