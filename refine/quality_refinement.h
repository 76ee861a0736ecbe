// Delaunay refinement after the documented run: nodes added on the outlines
// until every segment between consecutive outline nodes is an edge of the
// triangulation, and, with an angle bound, nodes added inside until no
// element's smallest angle is under it. Every node goes in through the
// engine's own insertion, so the mesh stays the Delaunay triangulation of
// all its nodes.
//
// The order of the work is fixed (segments before triangles, each in the
// order it was queued, the first queue filled in outline order and in row
// order), so a run gives the same mesh to the bit every time.
#pragma once

#include <functional>

#include "engine/voronoi.h"
#include "input/input_tables.h"
#include "input/node_generation.h"
#include "output/finished_mesh.h"
#include "refine/quality_options.h"

namespace tesu {

// Told now and then that the refinement has inserted nodes up to
// mesh.number; true asks it to stop where it is.
using RefineProgress = std::function<bool()>;

struct RefinementOutcome {
    RefinementSummary summary;
    bool stopped = false;
};

// Refines, through `builder`, the finished diagram of a run whose nodes 4 to last_contour_node
// lie on the outlines and last_contour_node + 1 to last_placed are the
// division-specified nodes; the interior nodes follow. Each segment is
// split at its midpoint (or on the shells of a sharp corner) while a node
// lies in its diametral circle: while it is no edge, and with a bound also
// while a node of an element beside it lies there. A circumcentre or
// off-centre that would lie in such a circle splits the segment instead.
//
// On return the node rows are in output order: each figure's outline nodes
// along it, the added ones among them, then the division-specified nodes,
// then the others; last_contour_node is the last outline node. Refinement
// ends at a budget of added nodes; a run that would pass node_limit throws
// today's capacity error. A stopped refinement leaves the rows unsorted.
RefinementOutcome refine_mesh(VoronoiBuilder& builder, const InputTables& input, int& last_contour_node,
                              int last_placed, const QualityOptions& options,
                              const RefineProgress& progress = {}, int node_limit = NODE_LIMIT);

}  // namespace tesu
