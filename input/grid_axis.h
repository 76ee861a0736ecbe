// One axis of a bucket grid: equal cells from an origin, with everything
// below the first cell in it and everything beyond the last in that one.
#pragma once

#include <cmath>

namespace tesu {

struct GridAxis {
    double origin = 0;
    double cells_per_unit = 0;
    int count = 1;

    // Up to `wanted` cells over low..high; a single cell when the range is
    // empty or not finite.
    static GridAxis over(double low, double high, int wanted) {
        GridAxis axis;
        axis.origin = std::isfinite(low) ? low : 0;
        const double per_unit = wanted / (high - low);
        if (high > low && std::isfinite(per_unit) && per_unit > 0) {
            axis.cells_per_unit = per_unit;
            axis.count = wanted;
        }
        return axis;
    }

    // Monotone in v: whatever lies between two values lies between their
    // cells. NaN goes to the first cell.
    int cell_of(double v) const {
        const double c = (v - origin) * cells_per_unit;
        if (!(c >= 0)) return 0;
        if (c >= count) return count - 1;
        return static_cast<int>(c);
    }
};

}  // namespace tesu
