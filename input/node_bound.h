// How many node rows a run can fill, known before any node is placed, so
// that the mesh tables reserve no more address space than the domain needs.
#pragma once

#include "input/input_tables.h"

namespace tesu {

// An upper bound on the highest node row the outline, division and interior
// stages can write for the normalised `input`, never above node_limit. The
// outline nodes of an edge lie at least the smallest spacing apart but for
// the last, the interior nodes farther than it from every node, so discs of
// half that spacing around them cannot overlap within the drawing square.
int highest_node_row(const InputTables& input, int node_limit);

}  // namespace tesu
