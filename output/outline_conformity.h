// Whether the elements follow the outlines: the segments between consecutive
// nodes along each figure that are not an edge of any element. A mesh built
// without the quality refinement may skip narrow spikes and notches, or cut
// across a concave corner.
#pragma once

#include <vector>

#include "output/finished_mesh.h"

namespace tesu {

// The outline segments that no element has as an edge, in the order of
// outline_segments.
std::vector<OutlineSegment> missing_outline_segments(const FinishedMesh& mesh);

}  // namespace tesu
