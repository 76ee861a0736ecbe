#include "ui/outline_drawing.h"

namespace tesu {

void draw_outlines(const InputTables& input, Platform& platform) {
    for (int f = 0; f < input.figure_count; ++f) {
        for (int j = figure_start(input, f); j < input.figure_end[f]; ++j) {
            const Point& a = input.outline_xy[j];
            const Point& b = input.outline_xy[j + 1];
            platform.draw_line(a.x, a.y, b.x, b.y);
        }
    }
}

}  // namespace tesu
