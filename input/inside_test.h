// Whether a point in drawing units lies inside the figures: on an outline
// (within a small tolerance) counts as inside, otherwise the parity of the
// crossings of an upward ray with all outlines decides, so nested figures
// make holes.
#pragma once

#include "input/input_tables.h"

namespace tesu {

int sign(double v);

// 1 when (x, y) is inside the figures or on an outline, 0 otherwise.
int inside_figures(const InputTables& input, double x, double y);

}  // namespace tesu
