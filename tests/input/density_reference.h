// The spacing as one plain pass over every density row, kept as
// the reference that the indexed spacing must match bit for bit.
#pragma once

#include <cmath>

#include "input/input_tables.h"

namespace tesu::testing {

inline double reference_density(const InputTables& input, double x, double y) {
    double r = input.basic_density;
    for (int k = 0; k < input.density_spec_count; ++k) {
        const DensitySpec& s = input.density_spec[k];
        const double d = std::sqrt((x - s.x) * (x - s.x) + (y - s.y) * (y - s.y));
        const double value =
            d <= s.reach ? s.radius + (input.basic_density - s.radius) / s.reach * d : input.basic_density;
        if (value < r) r = value;
    }
    return r;
}

}  // namespace tesu::testing
