// The Voronoi diagram of a finished run as the window draws it on command:
// the edges between its finite vps. Found from the run's tables when it is
// asked for and not kept, since a diagram has about three edges a node.
#pragma once

#include <vector>

#include "engine/mesh_tables.h"

namespace tesu {

struct VoronoiEdges {
    // In drawing units, in the creation order of the ves.
    std::vector<Segment> edges;
    // False when an edge met a vp whose centre could not be found; such
    // edges are left out.
    bool all_finite = true;
};

VoronoiEdges voronoi_edges(const MeshTables& mesh);

}  // namespace tesu
