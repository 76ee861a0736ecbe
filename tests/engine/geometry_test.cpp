#include "engine/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "mesh_test_support.h"

namespace tesu {
namespace {

using testing::FatalEnding;
using testing::insert_point;
using testing::make_initial_mesh;
using testing::make_throwing_platform;

class GeometryTest : public ::testing::Test {
protected:
    std::unique_ptr<MeshTables> mesh = make_initial_mesh();
    std::unique_ptr<HeadlessPlatform> platform = make_throwing_platform();

    // Places a query point in the row after the last node, as the callers do.
    int query(double x, double y) {
        mesh->node_xy[mesh->number + 1] = {x, y};
        return mesh->number + 1;
    }
};

TEST_F(GeometryTest, CircleTestOfTheInitialTriangle) {
    const int k = query(123.0, -4567.0);
    for (int v = 1; v <= 3; ++v) EXPECT_EQ(incircle_value(*mesh, v, k), 1e30) << "vp " << v;

    // Centre (200, 200), radius 12000.
    EXPECT_NEAR(incircle_value(*mesh, 4, query(200, 200)), -144'000'000.0, 1e-4);
    EXPECT_NEAR(incircle_value(*mesh, 4, query(0, 0)), -143'920'000.0, 1e-4);
    // Outside the circle the value is positive, on the far side of node 1.
    EXPECT_GT(incircle_value(*mesh, 4, query(200, 12200.5)), 0.0);
}

TEST_F(GeometryTest, CircleTestMeasuresTheRadiusToTheFirstNode) {
    // A right triangle: the centre is the middle of the hypotenuse, exactly.
    insert_point(*mesh, *platform, 100, 100);
    insert_point(*mesh, *platform, 300, 100);
    insert_point(*mesh, *platform, 100, 300);
    int found = 0;
    for (int v = 4; v <= mesh->vp_number; ++v) {
        if (vp_is_deleted(*mesh, v)) continue;
        auto nodes = vp_nodes(*mesh, v);
        std::sort(nodes.begin(), nodes.end());
        if (nodes != std::array<int, 3>{4, 5, 6}) continue;
        found = v;
    }
    ASSERT_NE(found, 0);
    double cx = 0, cy = 0;
    vp_centre(*mesh, found, cx, cy, *platform);
    EXPECT_EQ(cx, 200.0);
    EXPECT_EQ(cy, 200.0);
    // r^2 = 20000; (200, 200) is the centre, (300, 300) on the circle.
    EXPECT_EQ(incircle_value(*mesh, found, query(200, 200)), -20000.0);
    EXPECT_EQ(incircle_value(*mesh, found, query(300, 300)), 0.0);
    EXPECT_EQ(incircle_value(*mesh, found, query(400, 200)), 20000.0);
}

TEST_F(GeometryTest, CollinearNodesGiveIeeeValuesWithoutFailing) {
    // Three collinear nodes in a vp: the divisor of the centre is zero.
    mesh->node_xy[4] = {0, 0};
    mesh->node_xy[5] = {1, 1};
    mesh->node_xy[6] = {2, 2};
    mesh->ve_node[7] = {4, 5};
    mesh->ve_node[8] = {5, 6};
    mesh->vp_ve[5] = {7, 8, 7};
    mesh->number = 6;
    const double value = incircle_value(*mesh, 5, query(1, 0));
    EXPECT_FALSE(std::isfinite(value));
    EXPECT_FALSE(value < 0.0);
    EXPECT_TRUE(platform->messages.empty());
}

TEST_F(GeometryTest, CentreOfTheInitialTriangle) {
    double cx = 0, cy = 0;
    vp_centre(*mesh, 4, cx, cy, *platform);
    EXPECT_NEAR(cx, 200.0, 1e-9);
    EXPECT_NEAR(cy, 200.0, 1e-9);
    EXPECT_TRUE(platform->messages.empty());
}

TEST_F(GeometryTest, CentreOfAVpAtInfinityShowsAMessageAndWritesNothing) {
    double cx = -7, cy = -8;
    vp_centre(*mesh, 2, cx, cy, *platform);
    EXPECT_EQ(cx, -7);
    EXPECT_EQ(cy, -8);
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->messages[0].caption, COMPUTATION_ERROR_CAPTION);
    EXPECT_EQ(platform->messages[0].text, "架空の点エラー、外心の計算において");
    EXPECT_EQ(platform->messages[0].buttons, Buttons::ok);
}

TEST_F(GeometryTest, NearestNodeInTheInitialMesh) {
    EXPECT_EQ(nearest_node(*mesh, 3, query(0, 0), *platform), 2);
    // Equally far from nodes 1, 2 and 3: the walk stays at its start.
    EXPECT_EQ(nearest_node(*mesh, 3, query(200, 200), *platform), 3);
    EXPECT_EQ(nearest_node(*mesh, 1, query(10000, -5000), *platform), 3);
}

TEST_F(GeometryTest, QueryOnAnExistingNodeFindsItAtDistanceZero) {
    insert_point(*mesh, *platform, 150, 250);
    insert_point(*mesh, *platform, 250, 150);
    insert_point(*mesh, *platform, 50, 50);
    const int k = query(150, 250);
    EXPECT_EQ(nearest_node(*mesh, mesh->number, k, *platform), 4);
    EXPECT_EQ(nearest_distance2(*mesh, mesh->number, k, *platform), 0.0);
}

TEST_F(GeometryTest, WalksFindTheTrueNearestNodeOfADelaunayMesh) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> coordinate(0.0, 399.0);
    for (int i = 0; i < 400; ++i) insert_point(*mesh, *platform, coordinate(random), coordinate(random));

    std::uniform_int_distribution<int> start(1, mesh->number);
    std::uniform_real_distribution<double> wide(-500.0, 900.0);
    for (int trial = 0; trial < 300; ++trial) {
        const Point p = {wide(random), wide(random)};
        const int k = query(p.x, p.y);
        double brute = std::numeric_limits<double>::infinity();
        for (int n = 1; n <= mesh->number; ++n) {
            const Point& a = mesh->node_xy[n];
            brute = std::min(brute, (a.x - p.x) * (a.x - p.x) + (a.y - p.y) * (a.y - p.y));
        }
        const int s = start(random);
        const int found = nearest_node(*mesh, s, k, *platform);
        const Point& f = mesh->node_xy[found];
        EXPECT_EQ((f.x - p.x) * (f.x - p.x) + (f.y - p.y) * (f.y - p.y), brute);
        EXPECT_EQ(nearest_distance2(*mesh, s, k, *platform), brute);
    }
}

TEST_F(GeometryTest, WalkWithoutANextVeEndsTheProcess) {
    // Node 3 loses ve 2: the turn around it from vp 4 finds no way on.
    mesh->ve_node[2] = {1, 1};
    const int k = query(10000, -5000);
    try {
        nearest_node(*mesh, 3, k, *platform);
        FAIL() << "the walk went on";
    } catch (const FatalEnding& ending) {
        EXPECT_EQ(ending.status, 1);
    }
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->messages[0].caption, COMPUTATION_ERROR_CAPTION);
    EXPECT_EQ(platform->messages[0].text, "Not next ve.Error!");
}

TEST_F(GeometryTest, WalkThatLoopsOnBrokenTopologyEndsTheProcess) {
    // Ve 7 leads into the cycle of ves 1, 4, 2 around node 3, which never
    // comes back to it.
    mesh->ve_node[7] = {3, 1};
    mesh->ve_vp[7] = {2, 4};
    mesh->ve_number = 7;
    mesh->node_ve[3] = 7;
    EXPECT_THROW(nearest_distance2(*mesh, 3, query(10000, -5000), *platform), FatalEnding);
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->messages[0].text, "Not next ve.Error!");
}

}  // namespace
}  // namespace tesu
