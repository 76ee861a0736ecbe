// The limits of one insertion and the fatal endings of the construction.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "engine/voronoi.h"
#include "mesh_test_support.h"

namespace tesu {
namespace {

using namespace testing;

class InsertionLimits : public ::testing::Test {
protected:
    Diagram diagram;
    MeshTables& mesh = diagram.mesh;
    VoronoiBuilder& builder = diagram.builder;

    // n nodes round a circle, then one near its centre, whose cavity is
    // every triangle inside the circle; returns the new vps of that one.
    int circle_then_centre(int n) {
        for (int i = 0; i < n; ++i) {
            const double angle = 2 * std::numbers::pi * i / n;
            insert_point(builder, 200 + 150 * std::cos(angle), 200 + 150 * std::sin(angle));
        }
        const int before = mesh.vp_number;
        insert_point(builder, 200.25, 199.5);
        return mesh.vp_number - before;
    }
};

TEST_F(InsertionLimits, CentreOfACircleTakesTheWholeFan) {
    EXPECT_EQ(circle_then_centre(100), 100);
    EXPECT_EQ(builder.work().cavity_count, 98);
    EXPECT_TRUE(check_invariants(builder, true));
}

TEST_F(InsertionLimits, CavityOfThousandsOfVpsIsAccepted) {
    EXPECT_EQ(circle_then_centre(4000), 4000);
    EXPECT_EQ(builder.work().cavity_count, 3998);
    EXPECT_TRUE(check_invariants(builder, false));
}

TEST_F(InsertionLimits, CountersMayReachMaxNumberButNotPassIt) {
    // Rows below raised counters are never visited by the walks.
    mesh.vp_number = mesh.ve_number = MAX_NUMBER - 3;
    insert_point(builder, 200, 200);
    EXPECT_EQ(mesh.vp_number, MAX_NUMBER);
    EXPECT_EQ(mesh.ve_number, MAX_NUMBER);

    for (const bool vps : {true, false}) {
        builder.start_diagram();
        (vps ? mesh.vp_number : mesh.ve_number) = MAX_NUMBER - 2;
        mesh.node_xy[4] = {200, 200};
        EXPECT_EQ(fatal_text([&] { builder.insert_node(4); }),
                  "生成される要素の個数が多すぎます。\nもっと数を減らすようにパラメータを調節して下さい。\n"
                  "MAX_NUMBER!!! number =3 \n vp_number= " +
                      std::to_string(vps ? MAX_NUMBER + 1 : 7) +
                      ",ve_number= " + std::to_string(vps ? 9 : MAX_NUMBER + 1) + "\n");
    }
}

TEST_F(InsertionLimits, EntryVeWithADeletedEndEndsTheProcess) {
    // The walk to (200, 200) ends at node 3, whose ve 1 ends at vp 4.
    mesh.vp_ve[4][0] = DELETED_VP;
    mesh.node_xy[4] = {200, 200};
    EXPECT_EQ(fatal_text([&] { builder.insert_node(4); }), "存在しない辺 i=1 min_p=3 \n");
}

TEST_F(InsertionLimits, CavitySearchFromADeletedVpEndsTheProcess) {
    mesh.node_xy[4] = {200, 200};
    mesh.vp_ve[4][0] = DELETED_VP;
    EXPECT_EQ(fatal_text([&] { builder.collect_cavity(std::array{4}, 4); }), "点無しError");
}

TEST_F(InsertionLimits, PivotWithoutANextVeEndsTheProcess) {
    mesh.ve_node[3] = {1, 1};  // no longer names node 2, the first pivot
    EXPECT_EQ(fatal_text([&] { builder.rebuild_cavity(std::array{4}, 4); }), "Not next ve.Error!");
}

TEST_F(InsertionLimits, BorderSearchGoingRoundANodeEndsTheProcess) {
    // Every triangle round node 4 is in the cavity, and the slots are turned
    // so that each step of the search for a border ve stays inside it.
    insert_point(builder, 200, 200);
    mesh.vp_ve[5] = {7, 9, 1};
    mesh.vp_ve[6] = {7, 8, 3};
    mesh.vp_ve[7] = {8, 9, 2};
    mesh.node_xy[5] = {100, 100};
    EXPECT_EQ(fatal_text([&] { builder.rebuild_cavity(std::array{5, 6, 7}, 5); }), "Not next ve.Error!");
}

}  // namespace
}  // namespace tesu
