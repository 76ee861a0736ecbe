// Insertions of many nodes, checked against the mesh invariants.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "engine/voronoi.h"
#include "mesh_test_support.h"

namespace tesu {
namespace {

using testing::check_invariants;
using testing::FatalEnding;
using testing::insert_point;
using testing::make_initial_mesh;
using testing::make_throwing_platform;

class RandomInsertion : public ::testing::TestWithParam<int> {
protected:
    std::unique_ptr<MeshTables> mesh = make_initial_mesh();
    std::unique_ptr<HeadlessPlatform> platform = make_throwing_platform();
    std::mt19937_64 random{static_cast<std::uint64_t>(GetParam())};

    double coordinate(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    }
};

TEST_P(RandomInsertion, EveryInsertionKeepsTheInvariants) {
    for (int i = 0; i < 120; ++i) {
        insert_point(*mesh, *platform, coordinate(0, 399), coordinate(0, 399));
        ASSERT_TRUE(check_invariants(*mesh, true)) << "after node " << mesh->number;
    }
}

TEST_P(RandomInsertion, ClusteredNodesFarFromEachOther) {
    // Dense clusters far apart make long walks and thin triangles between them.
    for (int i = 0; i < 1500; ++i) {
        const double cx = (i % 3) * 190.0, cy = (i % 5) * 95.0;
        insert_point(*mesh, *platform, cx + coordinate(0, 1e-3), cy + coordinate(0, 1e-3));
    }
    EXPECT_TRUE(check_invariants(*mesh, false));
}

TEST_P(RandomInsertion, JitteredLatticeRowByRow) {
    // As the interior node placement inserts: rows of a triangular lattice.
    const double h = 4.0;
    int row = 0;
    for (double y = 399; y >= 0; y -= h * std::sqrt(3.0) / 2, ++row) {
        for (double x = (row % 2) * h / 2; x <= 399; x += h) {
            insert_point(*mesh, *platform, x + coordinate(-0.1, 0.1), y + coordinate(-0.1, 0.1));
        }
    }
    EXPECT_GT(mesh->number, 10000);
    EXPECT_TRUE(check_invariants(*mesh, false));
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomInsertion, ::testing::Values(1, 2, 3));

// Exactly co-circular nodes: every square of the grid has four nodes on one
// circle, so circle test values near 0 decide between its two diagonals.
TEST(DegenerateInsertion, SquareGridKeepsAConsistentDiagram) {
    auto mesh = make_initial_mesh();
    auto platform = make_throwing_platform();
    for (int row = 0; row < 40; ++row) {
        for (int column = 0; column < 40; ++column) insert_point(*mesh, *platform, 10.0 * column, 10.0 * row);
    }
    EXPECT_TRUE(check_invariants(*mesh, true));
}

TEST(DegenerateInsertion, CollinearNodes) {
    auto mesh = make_initial_mesh();
    auto platform = make_throwing_platform();
    for (int i = 0; i < 200; ++i) insert_point(*mesh, *platform, 1.0 + 2.0 * i, 1.0 + 2.0 * i);
    EXPECT_TRUE(check_invariants(*mesh, true));
}

TEST(DegenerateInsertion, NodeWithoutCoordinatesStaysWithinTheTables) {
    // A NaN node breaks the preconditions: whatever the diagram becomes, the
    // insertions that follow either finish or end with a message.
    auto mesh = make_initial_mesh();
    auto platform = make_throwing_platform();
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> coordinate(0, 399);
    for (int i = 0; i < 20; ++i) insert_point(*mesh, *platform, coordinate(random), coordinate(random));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    try {
        insert_point(*mesh, *platform, nan, nan);
        for (int i = 0; i < 200; ++i) insert_point(*mesh, *platform, coordinate(random), coordinate(random));
    } catch (const FatalEnding& ending) {
        EXPECT_EQ(ending.status, 1);
        EXPECT_EQ(platform->messages.size(), 1u);
    }
    EXPECT_LE(mesh->vp_number, MAX_NUMBER);
}

}  // namespace
}  // namespace tesu
