// Helpers of the engine tests: node insertion as the run does it, the text
// of a failure, and a checker of the mesh invariants.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/mesh_tables.h"
#include "engine/error.h"

namespace tesu::testing {

std::unique_ptr<MeshTables> make_initial_mesh();

// The neighbours of node n as a walk meets them turning through the tables
// from node_ve: ve by ve, each next one sharing the vp ahead and node n.
// Empty when the turn goes astray.
std::vector<int> turn_order(const MeshTables& mesh, int n);

// Stores (x, y) as node number + 1, inserts it and raises number.
void insert_point(MeshTables& mesh, double x, double y);

// The row of the live vp or ve with creation number `serial`, 0 when none.
int vp_row(const MeshTables& mesh, int serial);
int ve_row(const MeshTables& mesh, int serial);

// Linkage of live vps and ves, node_ve, counters, the row pools (each row
// up to the highest written is live or free, never both, and live creation
// numbers are distinct), the cells the walks keep,
// live counts for number - 3 insertions, triangles not overlapping across
// any Delaunay edge, and the
// empty-circle property judged by an extended-precision determinant: against
// every node with `brute_force`, otherwise across every Delaunay edge (which
// implies it for a valid triangulation).
::testing::AssertionResult check_invariants(const MeshTables& mesh, bool brute_force);

// Runs f, which must fail with an error of the computation that ends the
// desktop program; returns its text.
template <typename F>
std::string fatal_text(F f) {
    try {
        f();
    } catch (const Error& error) {
        EXPECT_TRUE(error.cause() == ErrorCause::computation || error.cause() == ErrorCause::capacity);
        EXPECT_EQ(error.caption(), COMPUTATION_ERROR_CAPTION);
        return error.text();
    }
    ADD_FAILURE() << "no error";
    return {};
}

}  // namespace tesu::testing
