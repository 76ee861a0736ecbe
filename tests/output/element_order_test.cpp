#include "output/element_order.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "output/file_units.h"
#include "test_support.h"

namespace tesu {
namespace {

using testing::TestMesh;

// The element order of three file points, given in every possible order;
// fails unless all orders agree. Returns the ordered file points.
std::array<Point, 3> ordered(TestMesh& t, const std::array<Point, 3>& points) {
    std::array<int, 3> nodes{};
    for (int i = 0; i < 3; ++i) nodes[i] = t.node(points[i].x, points[i].y);
    const auto reference = element_order(*t.mesh, *t.input, nodes);
    do {
        EXPECT_EQ(element_order(*t.mesh, *t.input, nodes), reference);
    } while (std::next_permutation(nodes.begin(), nodes.end()));
    std::array<Point, 3> result{};
    for (int i = 0; i < 3; ++i) result[i] = to_file_units(*t.input, t.mesh->node_xy[reference[i]]);
    return result;
}

MATCHER_P2(IsAt, x, y, "") { return arg.x == x && arg.y == y; }

TEST(PaintOrder, LowestNodeOnScreenFirstTiesByX) {
    // Nodes 0, 1, 2 at the given drawing points; the order comes back as
    // those node numbers.
    const auto order = [](Point a, Point b, Point c) {
        const std::array<Point, 3> at{a, b, c};
        return paint_order({0, 1, 2},
                           [&at](int n) -> const Point& { return at[static_cast<std::size_t>(n)]; });
    };
    using Order = std::array<int, 3>;
    EXPECT_EQ(order({5, 1}, {0, 9}, {9, 4}), (Order{1, 0, 2}));
    EXPECT_EQ(order({0, 9}, {9, 4}, {5, 1}), (Order{0, 2, 1}));
    EXPECT_EQ(order({9, 4}, {5, 1}, {0, 9}), (Order{2, 1, 0}));
    EXPECT_EQ(order({2, 9}, {7, 9}, {4, 1}), (Order{1, 0, 2}));  // y(A) = y(B)
    EXPECT_EQ(order({2, 9}, {4, 1}, {7, 9}), (Order{2, 0, 1}));  // y(A) = y(C)
    EXPECT_EQ(order({7, 9}, {4, 1}, {2, 9}), (Order{0, 2, 1}));
    EXPECT_EQ(order({8, 1}, {3, 1}, {5, 9}), (Order{2, 1, 0}));
    EXPECT_EQ(order({3, 1}, {3, 5}, {0, 9}), (Order{2, 0, 1}));  // a tie in x stays as given
}

TEST(ElementOrder, KnownTrianglesWhateverTheInputOrder) {
    using ::testing::ElementsAre;
    TestMesh t(-1, 0, 100);
    // Two lowest nodes: the third first, then the lower ones left to right.
    EXPECT_THAT(ordered(t, {{{0, 0}, {1, 0}, {0, 1}}}), ElementsAre(IsAt(0, 1), IsAt(0, 0), IsAt(1, 0)));
    // A single lowest node: the others right to left, the lowest last.
    EXPECT_THAT(ordered(t, {{{0, 0}, {-1, 1}, {1, 1}}}), ElementsAre(IsAt(1, 1), IsAt(-1, 1), IsAt(0, 0)));
    EXPECT_THAT(ordered(t, {{{1, 0}, {0, 1}, {0, 2}}}), ElementsAre(IsAt(0, 2), IsAt(0, 1), IsAt(1, 0)));
    // Collinear: no turn to correct, so highest, middle, lowest.
    EXPECT_THAT(ordered(t, {{{0, 0}, {1, 1}, {-1, -1}}}), ElementsAre(IsAt(1, 1), IsAt(0, 0), IsAt(-1, -1)));
}

TEST(ElementOrder, RandomTrianglesComeOutCounterClockwise) {
    std::mt19937 random(12345);
    // Small integer grids make shared rows and columns common.
    std::uniform_int_distribution<int> grid(0, 6);
    std::uniform_real_distribution<double> anywhere(-50, 50);
    TestMesh t(-50, -50, 3.99);  // one mesh: the tables are large
    for (int trial = 0; trial < 2000; ++trial) {
        std::array<Point, 3> points{};
        for (Point& p : points) {
            p = trial % 2 ? Point{anywhere(random), anywhere(random)}
                          : Point{1.0 * grid(random), 1.0 * grid(random)};
        }
        const auto area2 = [](const std::array<Point, 3>& p) {
            return (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[1].y - p[0].y) * (p[2].x - p[0].x);
        };
        if (area2(points) == 0) continue;
        EXPECT_GT(area2(ordered(t, points)), 0) << "trial " << trial;
    }
}

}  // namespace
}  // namespace tesu
