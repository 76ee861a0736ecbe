// The limits of one insertion and the fatal endings of the construction.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/voronoi.h"
#include "mesh_test_support.h"

namespace tesu {
namespace {

using testing::check_invariants;
using testing::FatalEnding;
using testing::insert_point;
using testing::make_initial_mesh;
using testing::make_throwing_platform;

class InsertionLimits : public ::testing::Test {
protected:
    std::unique_ptr<MeshTables> mesh = make_initial_mesh();
    std::unique_ptr<HeadlessPlatform> platform = make_throwing_platform();

    // n nodes on a circle round the middle of the square, in order round it.
    void insert_circle(int n) {
        for (int i = 0; i < n; ++i) {
            const double angle = 2 * std::numbers::pi * i / n;
            insert_point(*mesh, *platform, 200 + 150 * std::cos(angle), 200 + 150 * std::sin(angle));
        }
    }

    // Inserts a node near the centre of the circle; returns the ring rows made.
    int insert_centre() {
        const int vp_before = mesh->vp_number;
        insert_point(*mesh, *platform, 200.25, 199.5);
        return mesh->vp_number - vp_before;
    }

    // Runs f, which must end the process; returns the exit status.
    template <typename F>
    int fatal_status(F f) {
        try {
            f();
        } catch (const FatalEnding& ending) {
            return ending.status;
        }
        ADD_FAILURE() << "the process was not ended";
        return -1;
    }

    std::string counters_text() const {
        return "MAX_NUMBER!!! number =" + std::to_string(mesh->number) +
               " \n vp_number= " + std::to_string(mesh->vp_number) +
               ",ve_number= " + std::to_string(mesh->ve_number) + "\n";
    }
};

TEST_F(InsertionLimits, CentreOfACircleTakesTheWholeFan) {
    insert_circle(100);
    ASSERT_TRUE(check_invariants(*mesh, true));
    EXPECT_EQ(insert_centre(), 100);
    EXPECT_EQ(mesh->cavity_count, 98);
    EXPECT_TRUE(check_invariants(*mesh, true));
}

TEST_F(InsertionLimits, RingHoldsMoreThan255Rows) {
    insert_circle(300);
    EXPECT_EQ(insert_centre(), 300);
    EXPECT_EQ(mesh->cavity_count, 298);
    EXPECT_TRUE(check_invariants(*mesh, false));
}

TEST_F(InsertionLimits, CavityOf510VpsIsAccepted) {
    insert_circle(512);
    EXPECT_EQ(insert_centre(), 512);
    EXPECT_EQ(mesh->cavity_count, 510);
    EXPECT_TRUE(check_invariants(*mesh, false));
}

TEST_F(InsertionLimits, The511thCavityVpEndsTheProcess) {
    insert_circle(513);
    const int vp_before = mesh->vp_number;
    EXPECT_EQ(fatal_status([&] { insert_centre(); }), 1);
    EXPECT_EQ(mesh->cavity_count, 511);
    EXPECT_EQ(mesh->number, 516);
    EXPECT_EQ(mesh->vp_number, vp_before);
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->messages[0].caption, COMPUTATION_ERROR_CAPTION);
    EXPECT_EQ(platform->messages[0].text,
              "新たに付加するvpが511を超えました。\n密度が濃すぎます。\nパラメータを調節して下さい。\n" +
                  counters_text());
}

TEST_F(InsertionLimits, CountersMayReachMaxNumber) {
    // The rows below the raised counters are never visited by the walks.
    mesh->vp_number = MAX_NUMBER - 3;
    mesh->ve_number = MAX_NUMBER - 3;
    insert_point(*mesh, *platform, 200, 200);
    EXPECT_EQ(mesh->vp_number, MAX_NUMBER);
    EXPECT_EQ(mesh->ve_number, MAX_NUMBER);
    EXPECT_TRUE(platform->messages.empty());
}

TEST_F(InsertionLimits, VpNumberAboveMaxNumberEndsTheProcess) {
    mesh->vp_number = MAX_NUMBER - 2;
    mesh->node_xy[4] = {200, 200};
    EXPECT_EQ(fatal_status([&] { insert_node(*mesh, 4, *platform); }), 1);
    EXPECT_EQ(mesh->vp_number, MAX_NUMBER + 1);
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->messages[0].caption, COMPUTATION_ERROR_CAPTION);
    EXPECT_EQ(platform->messages[0].text,
              "生成される要素の個数が多すぎます。\nもっと数を減らすようにパラメータを調節して下さい。\n"
              "MAX_NUMBER!!! number =3 \n vp_number= 15990001,ve_number= 9\n");
}

TEST_F(InsertionLimits, VeNumberAboveMaxNumberEndsTheProcess) {
    mesh->ve_number = MAX_NUMBER - 2;
    mesh->node_xy[4] = {200, 200};
    EXPECT_EQ(fatal_status([&] { insert_node(*mesh, 4, *platform); }), 1);
    EXPECT_EQ(mesh->ve_number, MAX_NUMBER + 1);
    ASSERT_EQ(platform->messages.size(), 1u);
}

TEST_F(InsertionLimits, EntryVeWithADeletedEndEndsTheProcess) {
    // The walk to (200, 200) stays at node 3, whose ve 1 ends at vp 4.
    mesh->vp_ve[4][0] = DELETED_VP;
    mesh->node_xy[4] = {200, 200};
    EXPECT_EQ(fatal_status([&] { insert_node(*mesh, 4, *platform); }), 1);
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->messages[0].caption, COMPUTATION_ERROR_CAPTION);
    EXPECT_EQ(platform->messages[0].text, "存在しない辺 i=1 min_p=3 \n");
}

TEST_F(InsertionLimits, CavitySearchFromADeletedVpEndsTheProcess) {
    mesh->node_xy[4] = {200, 200};
    mesh->cavity_count = 1;
    mesh->cavity_vp[1] = 4;
    mesh->vp_ve[4][0] = DELETED_VP;
    EXPECT_EQ(fatal_status([&] { collect_cavity(*mesh, 4, 4, *platform); }), 1);
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->messages[0].text, "点無しError");
}

TEST_F(InsertionLimits, PivotWithoutANextVeEndsTheProcess) {
    // Ve 3 no longer names node 2, the first pivot around vp 4.
    mesh->ve_node[3] = {1, 1};
    mesh->cavity_count = 1;
    mesh->cavity_vp[1] = 4;
    EXPECT_EQ(fatal_status([&] { rebuild_cavity(*mesh, 4, *platform); }), 1);
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->messages[0].text, "Not next ve.Error!");
}

TEST_F(InsertionLimits, BorderSearchGoingRoundANodeEndsTheProcess) {
    // The cavity holds every triangle round node 4, and the slots are turned
    // so that each step of the search for a border ve stays inside it.
    insert_point(*mesh, *platform, 200, 200);
    mesh->vp_ve[5] = {7, 9, 1};
    mesh->vp_ve[6] = {7, 8, 3};
    mesh->vp_ve[7] = {8, 9, 2};
    mesh->cavity_count = 3;
    mesh->cavity_vp[1] = 5;
    mesh->cavity_vp[2] = 6;
    mesh->cavity_vp[3] = 7;
    mesh->node_xy[5] = {100, 100};
    EXPECT_EQ(fatal_status([&] { rebuild_cavity(*mesh, 5, *platform); }), 1);
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->messages[0].text, "Not next ve.Error!");
}

}  // namespace
}  // namespace tesu
