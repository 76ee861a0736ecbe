// The tables after init_mesh and after the first insertions, row by row: the
// numbering of new rows is part of what the result file shows.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "engine/geometry.h"
#include "engine/voronoi.h"
#include "mesh_test_support.h"

namespace tesu {
namespace {

using testing::check_invariants;
using testing::insert_point;
using testing::make_initial_mesh;
using testing::make_throwing_platform;
using Pair = std::array<int, 2>;
using Triple = std::array<int, 3>;

TEST(InitialMesh, HoldsTheEnclosingTriangle) {
    const auto mesh = make_initial_mesh();
    EXPECT_EQ(mesh->number, 3);
    EXPECT_EQ(mesh->vp_number, 4);
    EXPECT_EQ(mesh->ve_number, 6);
    EXPECT_EQ(vp_nodes(*mesh, 1), (Triple{2, 3, 0}));
    EXPECT_EQ(vp_nodes(*mesh, 2), (Triple{1, 3, 0}));
    EXPECT_EQ(vp_nodes(*mesh, 3), (Triple{1, 2, 0}));
    EXPECT_EQ(vp_nodes(*mesh, 4), (Triple{2, 3, 1}));
    EXPECT_NEAR(mesh->node_xy[2].x, -10192.304845, 1e-6);
    EXPECT_NEAR(mesh->node_xy[3].x, 10592.304845, 1e-6);
    EXPECT_TRUE(check_invariants(*mesh, true));
}

// After one node anywhere inside: vp 4 is the cavity.
void expect_tables_after_first_node(const MeshTables& mesh) {
    EXPECT_TRUE(vp_is_deleted(mesh, 4));
    EXPECT_EQ(mesh.vp_ve[5], (Triple{1, 7, 9}));
    EXPECT_EQ(mesh.vp_ve[6], (Triple{3, 8, 7}));
    EXPECT_EQ(mesh.vp_ve[7], (Triple{2, 9, 8}));
    EXPECT_EQ(vp_nodes(mesh, 5), (Triple{2, 3, 4}));
    EXPECT_EQ(vp_nodes(mesh, 6), (Triple{1, 2, 4}));
    EXPECT_EQ(vp_nodes(mesh, 7), (Triple{1, 3, 4}));
    EXPECT_EQ(mesh.ve_vp[7], (Pair{5, 6}));
    EXPECT_EQ(mesh.ve_vp[8], (Pair{6, 7}));
    EXPECT_EQ(mesh.ve_vp[9], (Pair{7, 5}));
    EXPECT_EQ(mesh.ve_node[7], (Pair{4, 2}));
    EXPECT_EQ(mesh.ve_node[8], (Pair{4, 1}));
    EXPECT_EQ(mesh.ve_node[9], (Pair{4, 3}));
    EXPECT_EQ(mesh.ve_vp[1], (Pair{1, 5}));
    EXPECT_EQ(mesh.ve_vp[2], (Pair{2, 7}));
    EXPECT_EQ(mesh.ve_vp[3], (Pair{3, 6}));
    for (int e = 4; e <= 6; ++e) EXPECT_TRUE(ve_is_live(mesh, e)) << e;
    EXPECT_EQ(mesh.node_ve[1], 8);
    EXPECT_EQ(mesh.node_ve[2], 7);
    EXPECT_EQ(mesh.node_ve[3], 9);
    EXPECT_EQ(mesh.node_ve[4], 9);
    EXPECT_EQ(mesh.vp_number, 7);
    EXPECT_EQ(mesh.ve_number, 9);
    EXPECT_EQ(mesh.cavity_count, 1);
    EXPECT_EQ(mesh.cavity_vp[1], 4);
}

TEST(FirstNode, AtTheCentre) {
    auto mesh = make_initial_mesh();
    auto platform = make_throwing_platform();
    insert_point(*mesh, *platform, 200, 200);
    expect_tables_after_first_node(*mesh);
    EXPECT_TRUE(check_invariants(*mesh, true));
}

TEST(FirstNode, AtTheCorner) {
    auto mesh = make_initial_mesh();
    auto platform = make_throwing_platform();
    insert_point(*mesh, *platform, 0, 0);
    expect_tables_after_first_node(*mesh);
    EXPECT_TRUE(check_invariants(*mesh, true));
}

TEST(SecondNode, FollowsTheRingAroundTheCavity) {
    auto mesh = make_initial_mesh();
    auto platform = make_throwing_platform();
    insert_point(*mesh, *platform, 200, 200);
    insert_point(*mesh, *platform, 100, 100);

    ASSERT_EQ(mesh->cavity_count, 2);
    EXPECT_EQ(mesh->cavity_vp[1], 5);
    EXPECT_EQ(mesh->cavity_vp[2], 6);
    const std::array<RingRow, 4> ring = {{{1, 8, 1}, {3, 9, 1}, {8, 10, 0}, {9, 11, 1}}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(mesh->ring[i + 1].boundary_ve, ring[i].boundary_ve) << "row " << i + 1;
        EXPECT_EQ(mesh->ring[i + 1].new_vp, ring[i].new_vp) << "row " << i + 1;
        EXPECT_EQ(mesh->ring[i + 1].side, ring[i].side) << "row " << i + 1;
    }
    EXPECT_EQ(mesh->vp_number, 11);
    EXPECT_EQ(mesh->ve_number, 13);

    // Each new vp holds its border ve, the new ve after it and the one before.
    EXPECT_EQ(mesh->vp_ve[8], (Triple{1, 10, 13}));
    EXPECT_EQ(mesh->vp_ve[9], (Triple{3, 11, 10}));
    EXPECT_EQ(mesh->vp_ve[10], (Triple{8, 12, 11}));
    EXPECT_EQ(mesh->vp_ve[11], (Triple{9, 13, 12}));
    EXPECT_EQ(mesh->ve_vp[10], (Pair{8, 9}));
    EXPECT_EQ(mesh->ve_vp[11], (Pair{9, 10}));
    EXPECT_EQ(mesh->ve_vp[12], (Pair{10, 11}));
    EXPECT_EQ(mesh->ve_vp[13], (Pair{11, 8}));
    EXPECT_EQ(mesh->ve_node[10], (Pair{5, 2}));
    EXPECT_EQ(mesh->ve_node[11], (Pair{5, 1}));
    EXPECT_EQ(mesh->ve_node[12], (Pair{5, 4}));
    EXPECT_EQ(mesh->ve_node[13], (Pair{5, 3}));
    // Border ves now end at the new vps, on the side that held the cavity.
    EXPECT_EQ(mesh->ve_vp[1], (Pair{1, 8}));
    EXPECT_EQ(mesh->ve_vp[3], (Pair{3, 9}));
    EXPECT_EQ(mesh->ve_vp[8], (Pair{10, 7}));
    EXPECT_EQ(mesh->ve_vp[9], (Pair{7, 11}));
    EXPECT_TRUE(vp_is_deleted(*mesh, 5));
    EXPECT_TRUE(vp_is_deleted(*mesh, 6));
    EXPECT_FALSE(vp_is_deleted(*mesh, 7));
    EXPECT_FALSE(ve_is_live(*mesh, 7));
    EXPECT_EQ(mesh->node_ve[5], 13);
    EXPECT_EQ(mesh->node_ve[2], 10);
    EXPECT_EQ(mesh->node_ve[1], 11);
    EXPECT_EQ(mesh->node_ve[4], 12);
    EXPECT_EQ(mesh->node_ve[3], 13);
    EXPECT_TRUE(check_invariants(*mesh, true));
}

TEST(Cavity, LeavesOutAVpWhoseCircleRunsThroughTheNode) {
    auto mesh = make_initial_mesh();
    auto platform = make_throwing_platform();
    insert_point(*mesh, *platform, 100, 100);
    insert_point(*mesh, *platform, 300, 100);
    insert_point(*mesh, *platform, 100, 300);
    int right_triangle = 0;
    for (int v = 4; v <= mesh->vp_number; ++v) {
        if (vp_is_deleted(*mesh, v)) continue;
        auto nodes = vp_nodes(*mesh, v);
        std::sort(nodes.begin(), nodes.end());
        if (nodes == Triple{4, 5, 6}) right_triangle = v;
    }
    ASSERT_NE(right_triangle, 0);
    mesh->node_xy[7] = {300, 300};
    ASSERT_EQ(incircle_value(*mesh, right_triangle, 7), 0.0);

    insert_point(*mesh, *platform, 300, 300);
    EXPECT_FALSE(vp_is_deleted(*mesh, right_triangle));
    EXPECT_TRUE(check_invariants(*mesh, true));
}

TEST(Cavity, AmongEqualValuesTheFirstVpMetStarts) {
    // The centre of a square lies at -200 from the circles of both of its
    // triangles, which meet in the cell of node 6 where the walk ends.
    auto mesh = make_initial_mesh();
    auto platform = make_throwing_platform();
    for (const auto& [x, y] : {Point{190, 190}, {210, 190}, {210, 210}, {190, 210}, {260, 200}}) {
        insert_point(*mesh, *platform, x, y);
    }
    mesh->node_xy[9] = {200, 200};
    ASSERT_EQ(nearest_node(*mesh, 8, 9, *platform), 6);
    ASSERT_EQ(incircle_value(*mesh, 13, 9), -200.0);
    ASSERT_EQ(incircle_value(*mesh, 17, 9), -200.0);

    insert_point(*mesh, *platform, 200, 200);
    ASSERT_EQ(mesh->cavity_count, 2);
    EXPECT_EQ(mesh->cavity_vp[1], 13);
    EXPECT_EQ(mesh->cavity_vp[2], 17);
    // The ring starts at the border ve in slot 0 of vp 13.
    EXPECT_EQ(mesh->vp_ve[23], (Triple{11, 25, 28}));
    EXPECT_EQ(mesh->vp_ve[24], (Triple{15, 26, 25}));
    EXPECT_EQ(mesh->vp_ve[25], (Triple{18, 27, 26}));
    EXPECT_EQ(mesh->vp_ve[26], (Triple{19, 28, 27}));
    EXPECT_EQ(mesh->ve_node[25], (Pair{9, 5}));
    EXPECT_EQ(mesh->ve_node[26], (Pair{9, 6}));
    EXPECT_EQ(mesh->ve_node[27], (Pair{9, 7}));
    EXPECT_EQ(mesh->ve_node[28], (Pair{9, 4}));
    EXPECT_EQ(mesh->ve_vp[28], (Pair{26, 23}));
    EXPECT_EQ(mesh->ve_vp[11], (Pair{23, 10}));
    EXPECT_EQ(mesh->ve_vp[15], (Pair{24, 21}));
    EXPECT_EQ(mesh->ve_vp[18], (Pair{16, 25}));
    EXPECT_EQ(mesh->ve_vp[19], (Pair{26, 18}));
    EXPECT_EQ(mesh->vp_number, 26);
    EXPECT_EQ(mesh->ve_number, 28);
    EXPECT_TRUE(check_invariants(*mesh, true));
}

TEST(Cavity, IsCollectedDepthFirstInSlotOrder) {
    // Vp 14 holds ves 11, 16, 15 in its slots; across 16 lies vp 22 and
    // across 15 vp 18, both with the new node inside their circles.
    auto mesh = make_initial_mesh();
    auto platform = make_throwing_platform();
    for (const auto& [x, y] : {Point{100, 100}, {300, 100}, {200, 300}, {300, 300}, {100, 300}}) {
        insert_point(*mesh, *platform, x, y);
    }
    ASSERT_EQ(mesh->vp_ve[14], (Triple{11, 16, 15}));
    ASSERT_EQ(mesh->ve_vp[16], (Pair{14, 22}));
    ASSERT_EQ(mesh->ve_vp[15], (Pair{18, 14}));

    insert_point(*mesh, *platform, 200, 180);
    ASSERT_EQ(mesh->cavity_count, 3);
    EXPECT_EQ(mesh->cavity_vp[1], 14);
    EXPECT_EQ(mesh->cavity_vp[2], 22);
    EXPECT_EQ(mesh->cavity_vp[3], 18);
    EXPECT_EQ(mesh->vp_number, 28);
    EXPECT_TRUE(check_invariants(*mesh, true));
}

TEST(Cavity, RingStartsWhereTheWalkFromTheStartVpLeavesIt) {
    // Ve 7 in slot 0 of the start vp 9 leads to vp 6, also in the cavity;
    // from there ve 3 leads out, and the ring starts with it.
    auto mesh = make_initial_mesh();
    auto platform = make_throwing_platform();
    insert_point(*mesh, *platform, 240, 360);
    insert_point(*mesh, *platform, 360, 40);
    ASSERT_EQ(mesh->vp_ve[9], (Triple{7, 11, 10}));
    ASSERT_EQ(mesh->ve_vp[7], (Pair{9, 6}));

    insert_point(*mesh, *platform, 120, 280);
    ASSERT_EQ(mesh->cavity_count, 2);
    EXPECT_EQ(mesh->cavity_vp[1], 9);
    EXPECT_EQ(mesh->cavity_vp[2], 6);
    EXPECT_EQ(mesh->vp_ve[11], (Triple{3, 13, 16}));
    EXPECT_EQ(mesh->vp_ve[12], (Triple{8, 14, 13}));
    EXPECT_EQ(mesh->vp_ve[13], (Triple{11, 15, 14}));
    EXPECT_EQ(mesh->vp_ve[14], (Triple{10, 16, 15}));
    EXPECT_EQ(mesh->ve_node[13], (Pair{6, 1}));
    EXPECT_EQ(mesh->ve_node[14], (Pair{6, 4}));
    EXPECT_EQ(mesh->ve_node[15], (Pair{6, 5}));
    EXPECT_EQ(mesh->ve_node[16], (Pair{6, 2}));
    EXPECT_EQ(mesh->ve_vp[16], (Pair{14, 11}));
    EXPECT_EQ(mesh->ve_vp[3], (Pair{3, 11}));
    EXPECT_EQ(mesh->ve_vp[8], (Pair{12, 7}));
    EXPECT_EQ(mesh->ve_vp[11], (Pair{13, 10}));
    EXPECT_EQ(mesh->ve_vp[10], (Pair{8, 14}));
    const std::array<int, 7> node_ve = {0, 13, 16, 12, 14, 15, 16};
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(mesh->node_ve[n], node_ve[n]) << "node " << n;
    EXPECT_TRUE(check_invariants(*mesh, true));
}

}  // namespace
}  // namespace tesu
