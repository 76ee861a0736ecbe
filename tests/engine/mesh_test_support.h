// Helpers of the engine tests: a platform whose fatal ending throws, node
// insertion as the run does it, and a checker of the mesh invariants.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/mesh_tables.h"
#include "ui/headless_platform.h"

namespace tesu::testing {

struct FatalEnding {
    int status;
};

std::unique_ptr<HeadlessPlatform> make_throwing_platform();
std::unique_ptr<MeshTables> make_initial_mesh();

// The neighbours of node n as a walk meets them turning through the tables
// from node_ve: ve by ve, each next one sharing the vp ahead and node n.
// Empty when the turn goes astray.
std::vector<int> turn_order(const MeshTables& mesh, int n);

// Stores (x, y) as node number + 1, inserts it and raises number.
void insert_point(MeshTables& mesh, Platform& platform, double x, double y);

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

// Runs f, which must end the process with status 1 after one message under
// the computation error caption; returns the text of that message.
template <typename F>
std::string fatal_text(const HeadlessPlatform& platform, F f) {
    try {
        f();
        ADD_FAILURE() << "the process was not ended";
    } catch (const FatalEnding& ending) {
        EXPECT_EQ(ending.status, 1);
    }
    if (platform.messages.size() != 1) {
        ADD_FAILURE() << platform.messages.size() << " messages shown";
        return {};
    }
    EXPECT_EQ(platform.messages[0].caption, COMPUTATION_ERROR_CAPTION);
    return platform.messages[0].text;
}

}  // namespace tesu::testing
