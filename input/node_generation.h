// Where the nodes of the mesh lie: on the outlines at the local spacing, at
// the division-specified points, and on a triangular search lattice inside.
#pragma once

#include <functional>

#include "engine/mesh_tables.h"
#include "engine/voronoi.h"
#include "input/density_field.h"
#include "input/input_tables.h"

namespace tesu {

// A run admits node indices below this: the outline and division stages
// place nodes up to row NODE_LIMIT - 1, and the interior stage stops once
// `number` reaches it, so the node table must hold rows up to NODE_LIMIT.
// Every stage takes the limit as its last argument, so that tests can meet
// it with fewer nodes.
inline constexpr int NODE_LIMIT = 10'000'000;

// Division-specified points must lie within this range along X and Y, in
// drawing units: well inside the enclosing triangle the diagram starts from.
inline constexpr double DIVISION_RANGE_LOW = -4000;
inline constexpr double DIVISION_RANGE_HIGH = 4400;

// Converts the input tables in place from file units into drawing units,
// refuses what would make the node search unusable or unbounded (see
// work_bounds.h) and builds their outline and density indexes.
void normalise_input(InputTables& input);

// Failures throw tesu::Error: a refused node placement (cause read) or the
// node limit (cause capacity).

// Fills node rows from 4 along every edge of every figure; returns the last
// row filled, the last outline node. Refuses two outline nodes on the same
// place (figures that touch).
int place_contour_nodes(MeshTables& mesh, const InputTables& input, int node_limit = NODE_LIMIT);

// Appends the division-specified nodes after the outline nodes, leaving out
// each one equal to a node already placed; returns the last row filled.
// Refuses, before placing any, a point outside the division range.
int place_division_nodes(MeshTables& mesh, const InputTables& input, int last_contour_node,
                         int node_limit = NODE_LIMIT);

// Told now and then by the interior search that it has inserted nodes up to
// mesh.number; true asks the search to stop where it is.
using SearchProgress = std::function<bool()>;

// Sweeps the lattice and inserts every accepted interior node at once
// through `builder`; raises mesh.number with each. False when `progress`
// asked it to stop.
bool place_interior_nodes(VoronoiBuilder& builder, const InputTables& input,
                          const SearchProgress& progress = {}, int node_limit = NODE_LIMIT);

// The error of a run that has reached its node limit.
[[noreturn]] void stop_at_node_capacity(int node_limit = NODE_LIMIT);

}  // namespace tesu
