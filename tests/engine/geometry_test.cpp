#include "engine/geometry.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "mesh_test_support.h"

namespace tesu {
namespace {

using namespace testing;

class GeometryTest : public ::testing::Test {
protected:
    Diagram diagram;
    MeshTables& mesh = diagram.mesh;
    VoronoiBuilder& builder = diagram.builder;

    // A point in the row after the last node, where the callers query.
    int query(double x, double y) {
        mesh.node_xy[mesh.number + 1] = {x, y};
        return mesh.number + 1;
    }
};

TEST_F(GeometryTest, InitialTriangle) {
    EXPECT_EQ(vp_nodes(mesh, 1), (std::array{2, 3, 0}));
    EXPECT_EQ(vp_nodes(mesh, 4), (std::array{2, 3, 1}));
    for (int v = 1; v <= 3; ++v) EXPECT_EQ(incircle_value(mesh, v, query(123, -4567)), 1e30);
    EXPECT_NEAR(incircle_value(mesh, 4, query(200, 200)), -144'000'000.0, 1e-4);
    EXPECT_NEAR(incircle_value(mesh, 4, query(0, 0)), -143'920'000.0, 1e-4);
    double cx = 0, cy = 0;
    EXPECT_TRUE(vp_centre(mesh, 4, cx, cy));
    EXPECT_NEAR(cx, 200.0, 1e-9);
    EXPECT_NEAR(cy, 200.0, 1e-9);
    EXPECT_EQ(builder.nearest_node(3, query(0, 0)), 2);
    // Equally far from nodes 1 to 3: the walk stays at its start.
    EXPECT_EQ(builder.nearest_node(3, query(200, 200)), 3);

    cx = -7;
    EXPECT_FALSE(vp_centre(mesh, 2, cx, cy));  // at infinity: no centre
    EXPECT_EQ(cx, -7);
}

TEST_F(GeometryTest, WalksFindTheNearestNode) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> inside(0, 399), around(-500, 900);
    for (int i = 0; i < 400; ++i) insert_point(builder, inside(random), inside(random));
    const Point on_node = mesh.node_xy[40];
    EXPECT_EQ(builder.nearest_node(mesh.number, query(on_node.x, on_node.y)), 40);
    EXPECT_EQ(builder.nearest_distance2(mesh.number, query(on_node.x, on_node.y)), 0.0);

    for (int trial = 0; trial < 300; ++trial) {
        const Point p = {around(random), around(random)};
        const int k = query(p.x, p.y);
        const auto d2 = [&](int n) {
            const Point& a = mesh.node_xy[n];
            return (a.x - p.x) * (a.x - p.x) + (a.y - p.y) * (a.y - p.y);
        };
        double nearest = std::numeric_limits<double>::infinity();
        for (int n = 1; n <= mesh.number; ++n) nearest = std::min(nearest, d2(n));
        const int start = 1 + trial % mesh.number;
        EXPECT_EQ(d2(builder.nearest_node(start, k)), nearest);
        EXPECT_EQ(builder.nearest_distance2(start, k), nearest);
    }
}

// Where two nodes are equally near, the walk's start decides where it ends;
// the insertion may skip its own walk only when the nearest node has no
// such rival. A walk with a reach stops at the first node within it.
TEST_F(GeometryTest, EquallyNearNodesAreRivalsAndAReachEndsTheWalkEarly) {
    for (const Point p : {Point{100, 100}, {120, 100}, {110, 60}, {300, 300}})
        insert_point(builder, p.x, p.y);
    const int between = query(110, 150);  // 10 across from nodes 4 and 5
    const WalkEnd from_left = builder.walk_to_nearest(4, between);
    const WalkEnd from_right = builder.walk_to_nearest(5, between);
    EXPECT_EQ(from_left.node, 4);
    EXPECT_EQ(from_right.node, 5);
    EXPECT_FALSE(has_no_rival(mesh, 4, between, from_left.distance2));

    const int left = query(105, 150);
    const WalkEnd nearest = builder.walk_to_nearest(7, left);
    EXPECT_EQ(nearest.node, 4);
    EXPECT_TRUE(has_no_rival(mesh, 4, left, nearest.distance2));

    // Node 7 is 200 away; the reach of 250 holds it, the reach of 100 not.
    const int far = query(300, 100);
    EXPECT_EQ(builder.walk_within(7, far, 250).node, 7);
    EXPECT_EQ(builder.walk_within(7, far, 100).node, builder.walk_to_nearest(7, far).node);
}

TEST_F(GeometryTest, WalkThatCannotGoOnEndsTheProcess) {
    mesh.ve_node[2] = {1, 1};  // the turn round node 3 finds no way on at vp 4
    EXPECT_EQ(fatal_text([&] { builder.nearest_node(3, query(10000, -5000)); }), "Not next ve.Error!");

    // From ve 7 the turn round node 3 enters the cycle of ves 1, 4, 2 and
    // would never come back to ve 7.
    builder.start_diagram();
    mesh.ve_node[7] = {3, 1};
    mesh.ve_vp[7] = {2, 4};
    mesh.ve_number = 7;
    mesh.node_ve[3] = 7;
    EXPECT_EQ(fatal_text([&] { builder.nearest_distance2(3, query(10000, -5000)); }), "Not next ve.Error!");
}

}  // namespace
}  // namespace tesu
