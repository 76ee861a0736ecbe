// Where the nodes of the mesh lie: on the outlines at the local spacing, at
// the division-specified points, and on a triangular search lattice inside.
#pragma once

#include "engine/mesh_tables.h"
#include "input/density_field.h"
#include "input/input_tables.h"
#include "input/mesh_run.h"
#include "ui/platform.h"

namespace tesu {

// The node table admits indices below this.
inline constexpr int NODE_LIMIT = 500'000;

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
bool place_contour_nodes(MeshTables& mesh, const InputTables& input, RunResults& results, Platform& platform);

// Appends the division-specified nodes after the outline nodes, leaving out
// each one equal to a node already placed; returns the last row filled. Returns
// -1, after showing why and before placing any, when a point lies outside the
// division range.
int place_division_nodes(MeshTables& mesh, const InputTables& input, const RunResults& results,
                         Platform& platform);

// Sweeps the lattice and inserts every accepted interior node at once;
// raises mesh.number with each.
void place_interior_nodes(MeshTables& mesh, const InputTables& input, Platform& platform);

// Shows that the node table is full and ends the process.
[[noreturn]] void stop_at_node_capacity(Platform& platform);

}  // namespace tesu
