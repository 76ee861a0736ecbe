#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "mesh_fixture.h"
#include "output/file_units.h"
#include "output/result_file.h"

namespace tesu {
namespace {

using testing::TestMesh;

struct OrderCase {
    Point a, b, c;               // file units, in the order vp_nodes gives them
    Point first, second, third;  // the expected element order
};

Point file_point(const TestMesh& t, int node) { return to_file_units(*t.input, t.mesh->node_xy[node]); }

void expect_at(const TestMesh& t, int node, const Point& expected) {
    const Point p = file_point(t, node);
    EXPECT_EQ(p.x, expected.x);
    EXPECT_EQ(p.y, expected.y);
}

TEST(ElementOrder, KnownTrianglesInEveryInputOrder) {
    const OrderCase cases[] = {
        // Two lowest nodes: the third first, then the lower ones left to right.
        {{0, 0}, {1, 0}, {0, 1}, {0, 1}, {0, 0}, {1, 0}},
        // A single lowest node: the others right to left, the lowest last.
        {{0, 0}, {-1, 1}, {1, 1}, {1, 1}, {-1, 1}, {0, 0}},
        {{1, 0}, {0, 1}, {0, 2}, {0, 2}, {0, 1}, {1, 0}},
    };
    for (const OrderCase& c : cases) {
        TestMesh t(-1, 0, 100);
        std::array<int, 3> nodes = {t.node(c.a.x, c.a.y), t.node(c.b.x, c.b.y), t.node(c.c.x, c.c.y)};
        std::sort(nodes.begin(), nodes.end());
        do {
            SCOPED_TRACE(::testing::Message() << nodes[0] << " " << nodes[1] << " " << nodes[2]);
            const auto ordered = element_order(*t.mesh, *t.input, nodes);
            expect_at(t, ordered[0], c.first);
            expect_at(t, ordered[1], c.second);
            expect_at(t, ordered[2], c.third);
        } while (std::next_permutation(nodes.begin(), nodes.end()));
    }
}

TEST(ElementOrder, CollinearNodesKeepTheLowestFirstOrder) {
    // No turn to correct: the order stays highest, middle, lowest.
    TestMesh t(0, 0, 100);
    std::array<int, 3> nodes = {t.node(0, 0), t.node(1, 1), t.node(2, 2)};
    do {
        const auto ordered = element_order(*t.mesh, *t.input, nodes);
        expect_at(t, ordered[0], {2, 2});
        expect_at(t, ordered[1], {1, 1});
        expect_at(t, ordered[2], {0, 0});
    } while (std::next_permutation(nodes.begin(), nodes.end()));
}

// Twice the signed area in file units: positive when counter-clockwise.
double signed_area2(const Point& p, const Point& q, const Point& r) {
    return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
}

TEST(ElementOrder, RandomTrianglesCounterClockwiseWhateverTheInputOrder) {
    std::mt19937 random(12345);
    // Integer grids make equal coordinates (shared rows and columns) common.
    std::uniform_int_distribution<int> grid(0, 6);
    std::uniform_real_distribution<double> anywhere(-50, 50);
    for (int trial = 0; trial < 2000; ++trial) {
        TestMesh t(-50, -50, 3.99);
        std::array<int, 3> nodes{};
        for (int& n : nodes) {
            n = trial % 2 == 0 ? t.node(grid(random), grid(random))
                               : t.node(anywhere(random), anywhere(random));
        }
        const double area =
            signed_area2(file_point(t, nodes[0]), file_point(t, nodes[1]), file_point(t, nodes[2]));
        if (area == 0) continue;

        std::sort(nodes.begin(), nodes.end());
        const auto reference = element_order(*t.mesh, *t.input, nodes);
        EXPECT_GT(signed_area2(file_point(t, reference[0]), file_point(t, reference[1]),
                               file_point(t, reference[2])),
                  0);
        do {
            EXPECT_EQ(element_order(*t.mesh, *t.input, nodes), reference) << "trial " << trial;
        } while (std::next_permutation(nodes.begin(), nodes.end()));
    }
}

}  // namespace
}  // namespace tesu
