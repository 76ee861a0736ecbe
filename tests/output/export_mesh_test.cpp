#include <gtest/gtest.h>

#include "export_fixture.h"
#include "input/inside_test.h"
#include "output/figure_holes.h"
#include "output/finished_mesh.h"

namespace tesu {
namespace {

using testing::RING_ELEMENTS;
using testing::RingWithIsland;

TEST(FinishedMesh, NodesElementsAndLoopsInResultFileNumbering) {
    RingWithIsland scene;
    const FinishedMesh m = collect_finished_mesh(*scene.t.mesh, *scene.t.input, scene.LAST_CONTOUR_NODE);

    ASSERT_EQ(m.nodes.size(), 13u);
    EXPECT_EQ(m.node(1).x, 10);
    EXPECT_EQ(m.node(1).y, 20);
    EXPECT_EQ(m.node(12).x, 12);
    EXPECT_EQ(m.node(12).y, 22.5);
    EXPECT_EQ(m.outline_node_count, 12);
    EXPECT_EQ(m.elements, RING_ELEMENTS);
    ASSERT_EQ(m.smallest_angles.size(), 10u);
    EXPECT_NEAR(m.smallest_angles[0], 45, 1e-9);

    ASSERT_EQ(m.figures.size(), 3u);
    EXPECT_EQ(m.figures[0].loop, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(m.figures[1].loop, (std::vector<int>{6, 7, 8, 9}));
    EXPECT_EQ(m.figures[2].loop, (std::vector<int>{10, 11, 12}));
    EXPECT_EQ(m.figures[0].area, 16);
    EXPECT_EQ(m.figures[1].area, 4);
    EXPECT_EQ(m.figures[2].area, 0.5);

    const std::vector<OutlineSegment> segments = outline_segments(m);
    ASSERT_EQ(segments.size(), 12u);
    EXPECT_EQ(segments[4].figure, 0);  // the loop closes from 5 back to 1
    EXPECT_EQ(segments[4].from, 5);
    EXPECT_EQ(segments[4].to, 1);
    EXPECT_EQ(segments[11].figure, 2);
    EXPECT_EQ(segments[11].from, 12);
    EXPECT_EQ(segments[11].to, 10);
}

TEST(FinishedMesh, HoleIsTheFigureWhoseInsideIsOutsideTheFigures) {
    RingWithIsland scene;
    const FinishedMesh m = collect_finished_mesh(*scene.t.mesh, *scene.t.input, scene.LAST_CONTOUR_NODE);
    EXPECT_FALSE(m.figures[0].is_hole);
    EXPECT_TRUE(m.figures[1].is_hole);
    EXPECT_FALSE(m.figures[2].is_hole);  // an island inside the hole

    // The hole's point lies in the hole, between its outline and the island.
    ASSERT_TRUE(m.figures[1].inner_point);
    const Point p = *m.figures[1].inner_point;
    EXPECT_TRUE(p.x > 11 && p.x < 13 && p.y > 21 && p.y < 23) << p.x << " " << p.y;
    const Point drawing = scene.t.drawing(p.x, p.y);
    EXPECT_EQ(inside_figures(*scene.t.input, drawing.x, drawing.y), 0);
}

// The inner point of each figure of `figures`, with its verdict.
std::vector<FigureInterior> classify(const std::vector<std::vector<Point>>& figures) {
    testing::TestMesh t(0, 0, 10);
    for (const auto& figure : figures) t.figure(figure);
    std::vector<FigureInterior> result = classify_figures(*t.input);
    for (FigureInterior& f : result) {
        if (f.inner_point) f.inner_point = Point{f.inner_point->x / 10, (399 - f.inner_point->y) / 10};
    }
    return result;
}

TEST(FigureHoles, PointsStayInTheirRegionForConcaveAndCrowdedHoles) {
    // A U-shaped hole whose centre lies outside it, and a square hole nearly
    // filled by an island, leaving a ring 0.1 wide.
    const auto figures = classify({
        {{0, 0}, {30, 0}, {30, 20}, {0, 20}},
        {{2, 2}, {12, 2}, {12, 18}, {10, 18}, {10, 4}, {4, 4}, {4, 18}, {2, 18}},
        {{16, 2}, {28, 2}, {28, 18}, {16, 18}},
        {{16.1, 2.1}, {27.9, 2.1}, {27.9, 17.9}, {16.1, 17.9}},
        {{40, 0}, {45, 0}, {45, 5}},  // a second outer figure
    });
    ASSERT_EQ(figures.size(), 5u);
    EXPECT_FALSE(figures[0].is_hole);
    EXPECT_TRUE(figures[1].is_hole);
    EXPECT_TRUE(figures[2].is_hole);
    EXPECT_FALSE(figures[3].is_hole);
    EXPECT_FALSE(figures[4].is_hole);

    const Point u = *figures[1].inner_point;
    const bool in_u = u.x > 2 && u.x < 12 && u.y > 2 && u.y < 18 && !(u.x > 4 && u.x < 10 && u.y > 4);
    EXPECT_TRUE(in_u) << u.x << " " << u.y;
    const Point ring = *figures[2].inner_point;
    const bool in_ring = ring.x > 16 && ring.x < 28 && ring.y > 2 && ring.y < 18 &&
                         !(ring.x > 16.1 && ring.x < 27.9 && ring.y > 2.1 && ring.y < 17.9);
    EXPECT_TRUE(in_ring) << ring.x << " " << ring.y;
}

TEST(FigureHoles, FigureWithoutAreaHasNoPoint) {
    const auto figures = classify({{{0, 0}, {4, 0}, {8, 0}}});
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_FALSE(figures[0].inner_point);
    EXPECT_FALSE(figures[0].is_hole);
}

}  // namespace
}  // namespace tesu
