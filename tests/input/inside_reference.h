// The inside test as one plain loop over every edge, kept as the reference
// that the indexed test must match bit for bit.
#pragma once

#include <cmath>

#include "input/input_tables.h"

namespace tesu::testing {

inline int reference_sign(double v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

inline int reference_inside(const InputTables& input, double x, double y) {
    int crossings = 0;
    for (int f = 0; f < input.figure_count; ++f) {
        const int start = figure_start(input, f);
        const int end = input.figure_end[f];
        for (int j = start; j < end; ++j) {
            const Point& a = input.outline_xy[j];
            const Point& b = input.outline_xy[j + 1];
            const double dx = b.x - a.x;
            const double dy = b.y - a.y;
            double d;
            if ((a.x - x) * dx + (a.y - y) * dy >= 0) {
                d = (x - a.x) * (x - a.x) + (y - a.y) * (y - a.y);
            } else if ((b.x - x) * dx + (b.y - y) * dy <= 0) {
                d = (x - b.x) * (x - b.x) + (y - b.y) * (y - b.y);
            } else {
                d = std::fabs((x - a.x) * dy - (y - a.y) * dx) / (dx * dx + dy * dy);
            }
            if (d < 1e-7) return 1;

            if (a.x == x && b.x == x) continue;
            if (b.x == x && b.y < y) {
                int c = j + 1 >= end ? start : j + 1;
                do {
                    c = c + 1 >= end ? start : c + 1;
                } while (input.outline_xy[c].x == b.x);
                const double cx = input.outline_xy[c].x;
                if ((a.x < b.x && b.x < cx) || (a.x > b.x && b.x > cx)) ++crossings;
                continue;
            }
            if (a.x == x && a.y < y) continue;
            const int side = reference_sign(x - a.x);
            if (side == reference_sign(b.x - x) && reference_sign((y - a.y) * dx - (x - a.x) * dy) == side) {
                ++crossings;
            }
        }
    }
    return crossings % 2;
}

}  // namespace tesu::testing
