// Helpers of the engine tests: node insertion as the run does it, the text
// of a failure, and a checker of the mesh invariants.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/error.h"
#include "engine/mesh_tables.h"
#include "engine/voronoi.h"

namespace tesu::testing {

// Tables holding the enclosing triangle, and the insertion that fills them.
struct Diagram {
    Diagram() { builder.start_diagram(); }
    std::unique_ptr<MeshTables> tables = std::make_unique<MeshTables>();
    MeshTables& mesh = *tables;
    VoronoiBuilder builder{mesh};
};

// The neighbours of node n as a walk meets them turning through the tables
// from node_ve: ve by ve, each next one sharing the vp ahead and node n.
// Empty when the turn goes astray.
std::vector<int> turn_order(const MeshTables& mesh, int n);

// Stores (x, y) as node number + 1, inserts it and raises number.
void insert_point(VoronoiBuilder& builder, double x, double y);

// The row of the live vp or ve with creation number `serial`, 0 when none.
int vp_row(const MeshTables& mesh, int serial);
int ve_row(const MeshTables& mesh, int serial);

// The invariants of the builder's tables and caches: each live vp's three
// ves are live, list it and join two of its nodes; each live ve's ends are
// live and list it; the counters, and the row pools (each row up to the
// highest written is live or free, never both, and live creation numbers
// are distinct); live counts for number - 3 insertions (Euler's formula);
// each node's node_ve is a live ve of that node, from which its cell turns
// closed; the circles and cells the caches keep are those the tables give;
// triangles do not overlap across any Delaunay edge; and the empty-circle
// property judged by an extended-precision determinant: against every node
// with `brute_force`, otherwise across every Delaunay edge (which implies it
// for a valid triangulation).
::testing::AssertionResult check_invariants(const VoronoiBuilder& builder, bool brute_force);

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
