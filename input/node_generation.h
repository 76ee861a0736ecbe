// Where the nodes of the mesh lie: on the outlines at the local spacing, at
// the division-specified points, and on a triangular search lattice inside.
#pragma once

#include "engine/mesh_tables.h"
#include "input/input_tables.h"
#include "input/mesh_run.h"
#include "ui/platform.h"

namespace tesu {

// The node table admits indices below this.
inline constexpr int NODE_LIMIT = 500'000;

// Converts the input tables in place from file units into drawing units.
void normalise_input(InputTables& input);

// The wanted node spacing at (x, y), in drawing units.
double local_density(const InputTables& input, double x, double y);

// Fills node rows from 4 along every edge of every figure; sets
// results.last_contour_node.
void place_contour_nodes(MeshTables& mesh, const InputTables& input, RunResults& results, Platform& platform);

// Appends the division-specified nodes after the outline nodes; returns the
// last row filled.
int place_division_nodes(MeshTables& mesh, const InputTables& input, const RunResults& results,
                         Platform& platform);

// Sweeps the lattice and inserts every accepted interior node at once;
// raises mesh.number with each.
void place_interior_nodes(MeshTables& mesh, const InputTables& input, Platform& platform);

}  // namespace tesu
