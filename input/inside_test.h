// Whether a point in drawing units lies inside the figures: on an outline
// (within a small tolerance) counts as inside, otherwise the parity of the
// crossings of an upward ray with all outlines decides, so nested figures
// make holes.
#pragma once

#include "input/input_tables.h"

namespace tesu {

// A point is on an edge when its squared distance to an end, or (where it
// projects onto the inside of the edge) its distance to the edge divided by
// the edge's length, is below this.
inline constexpr double ON_OUTLINE_TOLERANCE = 1e-7;

// 1 when (x, y) is inside the figures or on an outline, 0 otherwise. Looks
// only at nearby edges once input.outline_index is built (normalise_input
// builds it), at every edge before.
int inside_figures(const InputTables& input, double x, double y);

}  // namespace tesu
