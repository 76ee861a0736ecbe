// Rows written by single insertions, compared whole, every vp and ve named by
// its creation number: that numbering reaches the result file, whichever
// rows the pools hand out. Besides the first insertions, the cases pin the
// order rules of the cavity: ties, depth-first order, start of the ring.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "engine/geometry.h"
#include "engine/voronoi.h"
#include "mesh_test_support.h"

namespace tesu {
namespace {

using namespace testing;

class Insertion : public ::testing::Test {
protected:
    Diagram diagram;
    MeshTables& mesh = diagram.mesh;
    VoronoiBuilder& builder = diagram.builder;

    void insert(std::initializer_list<Point> points) {
        for (const Point& p : points) insert_point(builder, p.x, p.y);
    }

    int vp_id(int v) const { return mesh.vp_serial[v]; }
    int ve_id(int e) const { return mesh.ve_serial[e]; }
    std::array<int, 3> slots(int vp) const {
        const auto& row = mesh.vp_ve[vp_row(mesh, vp)];
        return {ve_id(row[0]), ve_id(row[1]), ve_id(row[2])};
    }
    std::array<int, 2> ends(int ve) const {
        const auto& row = mesh.ve_vp[ve_row(mesh, ve)];
        return {vp_id(row[0]), vp_id(row[1])};
    }

    // Inserts p and lists what it did: the cavity; the new vps (slots) and
    // ves (ends / nodes); the ring rows (border ve > new vp . side); node_ve
    // of each pivot and of the new node.
    std::string insert_and_describe(Point p) {
        const int v0 = mesh.vp_number, e0 = mesh.ve_number;
        // The rows of the cavity are freed by the insertion; their vps live on
        // only as the creation numbers they had before it.
        std::vector<int> serial_before(static_cast<std::size_t>(mesh.vp_pool.highest_row) + 1);
        for (int v = 1; v <= mesh.vp_pool.highest_row; ++v)
            serial_before[static_cast<std::size_t>(v)] = vp_id(v);
        insert({p});
        std::ostringstream text;
        text << "cavity";
        for (int i = 1; i <= builder.work().cavity_count; ++i) {
            text << ' ' << serial_before[static_cast<std::size_t>(builder.work().cavity_vp[i])];
        }
        text << "; vps";
        for (int v = v0 + 1; v <= mesh.vp_number; ++v) {
            const auto s = slots(v);
            text << ' ' << v << ':' << s[0] << ',' << s[1] << ',' << s[2];
        }
        text << "; ves";
        for (int e = e0 + 1; e <= mesh.ve_number; ++e) {
            const auto row = ve_row(mesh, e);
            text << ' ' << e << ':' << vp_id(mesh.ve_vp[row][0]) << ',' << vp_id(mesh.ve_vp[row][1]) << '/'
                 << mesh.ve_node[row][0] << ',' << mesh.ve_node[row][1];
        }
        text << "; ring";
        for (int i = 1; i <= mesh.vp_number - v0; ++i) {
            const RingRow& row = builder.work().ring[i];
            text << ' ' << ve_id(row.boundary_ve) << '>' << vp_id(row.new_vp) << '.' << row.side;
        }
        text << "; node_ve";
        for (int e = e0 + 1; e <= mesh.ve_number; ++e) {
            const int pivot = mesh.ve_node[ve_row(mesh, e)][1];
            text << ' ' << pivot << ':' << ve_id(mesh.node_ve[pivot]);
        }
        text << ' ' << mesh.number << ':' << ve_id(mesh.node_ve[mesh.number]);
        return text.str();
    }
};

TEST_F(Insertion, FirstNodeAnywhereGivesTheSameTables) {
    for (const Point p : {Point{200, 200}, Point{0, 0}}) {
        builder.start_diagram();
        EXPECT_EQ(insert_and_describe(p),
                  "cavity 4; vps 5:1,7,9 6:3,8,7 7:2,9,8; ves 7:5,6/4,2 8:6,7/4,1 9:7,5/4,3; "
                  "ring 1>5.1 3>6.1 2>7.1; node_ve 2:7 1:8 3:9 4:9");
        EXPECT_EQ(vp_nodes(mesh, vp_row(mesh, 6)), (std::array{1, 2, 4}));
        EXPECT_TRUE(check_invariants(builder, true));
    }
}

TEST_F(Insertion, SecondNodeRebuildsAroundTwoVps) {
    insert({{200, 200}});
    EXPECT_EQ(insert_and_describe({100, 100}),
              "cavity 5 6; vps 8:1,10,13 9:3,11,10 10:8,12,11 11:9,13,12; "
              "ves 10:8,9/5,2 11:9,10/5,1 12:10,11/5,4 13:11,8/5,3; ring 1>8.1 3>9.1 8>10.0 9>11.1; "
              "node_ve 2:10 1:11 4:12 3:13 5:13");
    EXPECT_EQ(ends(8), (std::array{10, 7}));  // re-linked at side 0
    EXPECT_EQ(ve_row(mesh, 7), 0);            // dead
    EXPECT_TRUE(check_invariants(builder, true));
}

TEST_F(Insertion, NodeOnACircumcircleLeavesItsVpAlone) {
    insert({{100, 100}, {300, 100}, {100, 300}});
    const int row = vp_row(mesh, 13);
    ASSERT_EQ(vp_nodes(mesh, row), (std::array{5, 4, 6}));
    mesh.node_xy[7] = {300, 300};
    ASSERT_EQ(incircle_value(mesh, row, 7), 0.0);
    insert({{300, 300}});
    EXPECT_EQ(vp_row(mesh, 13), row);
    EXPECT_TRUE(check_invariants(builder, true));
}

TEST_F(Insertion, AmongEqualValuesTheFirstVpMetStartsTheCavity) {
    // The centre of a square lies at -200 from the circles of both its
    // triangles, vps 13 and 17, met in this order round node 6.
    insert({{190, 190}, {210, 190}, {210, 210}, {190, 210}, {260, 200}});
    mesh.node_xy[9] = {200, 200};
    ASSERT_EQ(builder.nearest_node(8, 9), 6);
    ASSERT_EQ(incircle_value(mesh, vp_row(mesh, 13), 9), -200.0);
    ASSERT_EQ(incircle_value(mesh, vp_row(mesh, 17), 9), -200.0);
    EXPECT_EQ(
        insert_and_describe({200, 200}),
        "cavity 13 17; vps 23:11,25,28 24:15,26,25 25:18,27,26 26:19,28,27; "
        "ves 25:23,24/9,5 26:24,25/9,6 27:25,26/9,7 28:26,23/9,4; ring 11>23.0 15>24.0 18>25.1 19>26.0; "
        "node_ve 5:25 6:26 7:27 4:28 9:28");
}

TEST_F(Insertion, CavityIsCollectedDepthFirstInSlotOrder) {
    // Vp 14 holds ves 11, 16, 15: across 16 lies vp 22, across 15 vp 18.
    insert({{100, 100}, {300, 100}, {200, 300}, {300, 300}, {100, 300}});
    ASSERT_EQ(slots(14), (std::array{11, 16, 15}));
    ASSERT_EQ(ends(16), (std::array{14, 22}));
    ASSERT_EQ(ends(15), (std::array{18, 14}));
    EXPECT_EQ(insert_and_describe({200, 180}).substr(0, 16), "cavity 14 22 18;");
    EXPECT_TRUE(check_invariants(builder, true));
}

TEST_F(Insertion, RingStartsWhereTheWalkFromTheStartVpLeavesTheCavity) {
    // Ve 7 in slot 0 of the start vp 9 leads into the cavity, to vp 6, whose
    // ve 3 leads out: the ring starts there.
    insert({{240, 360}, {360, 40}});
    ASSERT_EQ(slots(9), (std::array{7, 11, 10}));
    ASSERT_EQ(ends(7), (std::array{9, 6}));
    EXPECT_EQ(insert_and_describe({120, 280}),
              "cavity 9 6; vps 11:3,13,16 12:8,14,13 13:11,15,14 14:10,16,15; "
              "ves 13:11,12/6,1 14:12,13/6,4 15:13,14/6,5 16:14,11/6,2; ring 3>11.1 8>12.0 11>13.0 10>14.1; "
              "node_ve 1:13 4:14 5:15 2:16 6:16");
    EXPECT_TRUE(check_invariants(builder, true));
}

}  // namespace
}  // namespace tesu
