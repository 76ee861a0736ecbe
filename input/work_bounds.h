// Inputs that the arithmetic cannot use or that would keep the node search
// going for ever, refused as soon as the tables are in drawing units, before
// any node is placed.
#pragma once

#include "input/input_tables.h"

namespace tesu {

// The most lattice points a search without refinements may visit.
inline constexpr double LATTICE_POINT_LIMIT = 1e9;

// Throws tesu::Error (cause read) for the first of: a scale or an outline
// coordinate that is not finite; a basic spacing or a refinement radius that
// is not finite and positive; a lattice of more than LATTICE_POINT_LIMIT
// points; a refinement so small that the sweep would stop advancing near it.
void refuse_unbounded_work(const InputTables& input);

}  // namespace tesu
