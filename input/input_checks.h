// The checks by which the reader refuses a data file's values, shared with
// every other way of filling the input tables.
#pragma once

#include "input/input_tables.h"

namespace tesu {

// Finite and positive, as the basic spacing and the span must be for node
// generation to advance.
bool is_positive_value(double value);

// A refinement node generation can advance near: every field finite, a
// positive radius, a reach not negative.
bool is_usable_refinement(const DensitySpec& row);

bool is_finite_point(const Point& p);

// The run scales the outline by its extent, so all points on one spot give
// nothing to scale; and only so many figures may be closed.
bool outline_is_usable(const InputTables& input);

// Calls on_close with each row that closes a figure: the first later row
// equal to the figure's first row. The row after it starts the next figure.
template <typename OnClose>
void for_each_figure_end(const InputTables& input, OnClose on_close) {
    const auto same = [](const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; };
    int start = 0;
    int i = 1;
    while (i < input.outline_point_count) {
        if (same(input.outline_xy[i], input.outline_xy[start])) {
            on_close(i);
            start = i + 1;
            i += 2;
        } else {
            ++i;
        }
    }
}

}  // namespace tesu
