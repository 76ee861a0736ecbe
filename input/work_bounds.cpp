#include "input/work_bounds.h"

#include <algorithm>
#include <cmath>

#include "engine/error.h"
#include "input/data_file.h"

namespace tesu {

namespace {

constexpr std::string_view TOO_MANY_LATTICE_POINTS =
    "格子点が多すぎます。\nスパンまたは密度を見直して下さい。";

[[noreturn]] void refuse(std::string_view text) {
    throw Error(ErrorCause::read, READ_ERROR_CAPTION, std::string(text));
}

bool positive_finite(double v) { return std::isfinite(v) && v > 0; }

}  // namespace

void refuse_unbounded_work(const InputTables& input) {
    const bool outline_finite =
        std::all_of(&input.outline_xy[0], &input.outline_xy[0] + input.outline_point_count,
                    [](const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); });
    if (!positive_finite(input.data_scale) || !outline_finite) refuse(OUTLINE_FAILURE);
    if (!positive_finite(input.basic_density)) refuse(BASIC_DENSITY_FAILURE);
    double smallest_radius = INFINITY;
    for (int k = 0; k < input.density_spec_count; ++k) {
        const double radius = input.density_spec[k].radius;
        if (!positive_finite(radius)) refuse(DENSITY_SPEC_FAILURE);
        smallest_radius = std::min(smallest_radius, radius);
    }

    const double b = input.basic_density;
    const double span = input.span;
    const double lattice_points = (std::floor(DRAWING_SIDE / (std::sqrt(3.0) / 2 * b / span)) + 1) *
                                  (std::floor(DRAWING_SIDE / (b / span)) + 1);
    if (!(lattice_points <= LATTICE_POINT_LIMIT)) refuse(TOO_MANY_LATTICE_POINTS);
    // Near that refinement a row would lie no lower than the one before.
    if (input.density_spec_count > 0 &&
        DRAWING_SIDE - std::sqrt(3.0) / 2 * smallest_radius / span == DRAWING_SIDE) {
        refuse(DENSITY_SPEC_FAILURE);
    }
}

}  // namespace tesu
