// Helpers shared by the engine tests: a platform whose fatal ending throws,
// node insertion as the run does it, and a checker of the mesh invariants.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "engine/mesh_tables.h"
#include "ui/headless_platform.h"

namespace tesu::testing {

// Thrown in place of ending the process.
struct FatalEnding {
    int status;
};

// A headless platform whose fatal ending throws FatalEnding.
std::unique_ptr<HeadlessPlatform> make_throwing_platform();

// A mesh right after init_mesh.
std::unique_ptr<MeshTables> make_initial_mesh();

// Stores (x, y) as node number + 1, inserts it and raises number, as the run does.
void insert_point(MeshTables& mesh, Platform& platform, double x, double y);

// The mesh model invariants: linkage of live vps and ves, node_ve entries,
// the counters and the live counts for number - 3 insertions, the triangles
// tiling the enclosing triangle, and the empty-circle property, judged with
// a determinant independent of the engine's circle test. The empty circle is
// checked against every node when `brute_force_delaunay` is set, otherwise
// across every Delaunay edge (which implies it for a valid triangulation).
::testing::AssertionResult check_invariants(const MeshTables& mesh, bool brute_force_delaunay);

}  // namespace tesu::testing
