// Where the nodes of the mesh lie: on the outlines at the local spacing, at
// the division-specified points, and on a triangular search lattice inside.
#pragma once

#include "engine/mesh_tables.h"
#include "input/density_field.h"
#include "input/input_tables.h"
#include "input/mesh_run.h"
#include "ui/platform.h"

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

// Converts the input tables in place from file units into drawing units and
// builds their outline and density indexes.
void normalise_input(InputTables& input);

// Fills node rows from 4 along every edge of every figure; sets
// results.last_contour_node. Returns false, after showing why, when two
// outline nodes fall on the same place (figures that touch).
bool place_contour_nodes(MeshTables& mesh, const InputTables& input, RunResults& results, Platform& platform,
                         int node_limit = NODE_LIMIT);

// Appends the division-specified nodes after the outline nodes, leaving out
// each one equal to a node already placed; returns the last row filled. Returns
// -1, after showing why and before placing any, when a point lies outside the
// division range.
int place_division_nodes(MeshTables& mesh, const InputTables& input, const RunResults& results,
                         Platform& platform, int node_limit = NODE_LIMIT);

// Sweeps the lattice and inserts every accepted interior node at once;
// raises mesh.number with each.
void place_interior_nodes(MeshTables& mesh, const InputTables& input, Platform& platform,
                          int node_limit = NODE_LIMIT);

// Shows that the run has reached its node limit and ends the process.
[[noreturn]] void stop_at_node_capacity(Platform& platform, int node_limit = NODE_LIMIT);

}  // namespace tesu
