// Moving the real nodes to other rows, the diagram following them: for a
// finished mesh whose outputs want its nodes in another order than they were
// inserted in.
#pragma once

#include <span>

#include "engine/voronoi.h"

namespace tesu {

// Moves node k to row new_row[k - 4], for every real node k (rows 4 to
// number of the builder's tables); new_row must be a permutation of those rows. The enclosing
// triangle stays in rows 1 to 3, and every vp and ve keeps its row and its
// creation number. The builder forgets the cells its walks keep, and the
// next walk starts anywhere.
void renumber_nodes(VoronoiBuilder& builder, std::span<const int> new_row);

}  // namespace tesu
