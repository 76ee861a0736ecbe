// Rows freed by insertions are taken again, while the creation numbers keep
// the order in which every output lists triangles and Voronoi edges.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/creation_order.h"
#include "mesh_test_support.h"

namespace tesu {
namespace {

using namespace testing;

bool increasing(const std::vector<int>& rows, const auto& serial) {
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (serial[rows[i - 1]] >= serial[rows[i]]) return false;
    }
    return true;
}

// Creation numbers that start far up make the sort use every digit.
class RowReuse : public ::testing::TestWithParam<int> {};

TEST_P(RowReuse, TablesHoldLiveRowsAndOutputsFollowCreation) {
    Diagram diagram;
    MeshTables& mesh = diagram.mesh;
    VoronoiBuilder& builder = diagram.builder;
    insert_point(builder, 200, 200);
    mesh.vp_number += GetParam();
    mesh.ve_number += GetParam();
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> coordinate(0, 399);
    const int n = 3000;
    for (int i = 1; i < n; ++i) insert_point(builder, coordinate(random), coordinate(random));
    ASSERT_TRUE(check_invariants(builder, false));

    // Every insertion frees its cavity, about four vps, and takes six rows:
    // far more rows were created than the tables hold.
    EXPECT_GT(mesh.vp_number - GetParam(), 5 * n);
    EXPECT_LE(mesh.vp_pool.highest_row, 2 * n + 4 + 64);
    EXPECT_LE(mesh.ve_pool.highest_row, 3 * n + 6 + 64);

    const std::vector<int> triangles = triangles_in_creation_order(mesh);
    EXPECT_EQ(triangles.size(), 2u * n + 1);  // the live vps but the three at infinity
    EXPECT_TRUE(increasing(triangles, mesh.vp_serial));
    const std::vector<int> ves = live_ves_in_creation_order(mesh);
    EXPECT_EQ(ves.size(), 3u * n + 6);
    EXPECT_TRUE(increasing(ves, mesh.ve_serial));
}

INSTANTIATE_TEST_SUITE_P(FirstCreationNumbers, RowReuse, ::testing::Values(0, 100'000'000),
                         [](const auto& info) { return "from_" + std::to_string(info.param); });

}  // namespace
}  // namespace tesu
