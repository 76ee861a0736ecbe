#pragma once

#include "input/input_tables.h"
#include "ui/platform.h"

namespace tesu {

// Draws every edge of every figure, in drawing units. A figure's list of
// points ends with its closing point, so no segment back to the start is
// needed.
void draw_outlines(const InputTables& input, Platform& platform);

}  // namespace tesu
