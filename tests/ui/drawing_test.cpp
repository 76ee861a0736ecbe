#include "ui/drawing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "mesh_builder.h"
#include "recording_canvas.h"
#include "ui/headless_platform.h"

namespace tesu {
namespace {

using ::testing::ElementsAre;
using testing::erase_call;
using ::testing::IsEmpty;
using testing::line_call;
using testing::MeshBuilder;
using testing::pixel_call;
using testing::RecordingCanvas;

ViewState full_view(int width, int height) {
    ViewState view;
    reset_view(view, width, height);
    return view;
}

TEST(DrawSegment, MapsBothEndsThroughTheZoomedView) {
    ViewState view = full_view(400, 400);  // k = 1
    zoom_in_at(view, 300, 100);            // centre (300, 100), factor 2
    RecordingCanvas canvas;
    draw_segment(canvas, view, CYAN, 290, 95, 310.6, 120);
    EXPECT_THAT(canvas.calls, ElementsAre(line_call(180, 190, 221, 240, CYAN)));
}

TEST(DrawSegment, DrawsBetweenTheClampedEnds) {
    const ViewState view = full_view(400, 400);
    RecordingCanvas canvas;
    draw_segment(canvas, view, WHITE, -35000, 10, 40000, 50000);
    EXPECT_THAT(canvas.calls, ElementsAre(line_call(-31000, 10, 32767, 32767, WHITE)));
}

TEST(PlotDot, UsesTheBaseFactorOnlyAndTruncates) {
    ViewState view = full_view(800, 600);  // k = 1.5
    RecordingCanvas canvas;
    plot_dot(canvas, view, 10.5, 3.9);
    zoom_in_at(view, 700, 500);
    plot_dot(canvas, view, 10.5, 3.9);
    EXPECT_THAT(canvas.calls, ElementsAre(pixel_call(15, 5, YELLOW), pixel_call(15, 5, YELLOW)));
}

TEST(PlotDot, LandsWhereALineThroughThePointStartsInTheFullView) {
    const ViewState view = full_view(537, 611);
    RecordingCanvas canvas;
    plot_dot(canvas, view, 123.4, 301.7);
    draw_segment(canvas, view, WHITE, 123.4, 301.7, 0, 0);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].x0, canvas.calls[1].x0);
    EXPECT_EQ(canvas.calls[0].y0, canvas.calls[1].y0);
}

TEST(PlotDot, DropsAPointBeyondAnyPixel) {
    const ViewState view = full_view(400, 400);
    RecordingCanvas canvas;
    plot_dot(canvas, view, 1e300, 5);
    plot_dot(canvas, view, 5, std::numeric_limits<double>::quiet_NaN());
    EXPECT_THAT(canvas.calls, IsEmpty());
}

class PaintOrderTest : public ::testing::Test {
protected:
    Triangle order(Point a, Point b, Point c) {
        const Triangle nodes{builder.node(a.x, a.y), builder.node(b.x, b.y), builder.node(c.x, c.y)};
        const Triangle ordered = paint_order(builder.mesh(), nodes);
        // As positions in the input, 0 for a, 1 for b, 2 for c.
        Triangle positions{};
        for (int i = 0; i < 3; ++i) positions[i] = ordered[i] - nodes[0];
        return positions;
    }
    MeshBuilder builder;
};

TEST_F(PaintOrderTest, LowestNodeOnScreenFirstThenTheOthersByX) {
    EXPECT_EQ(order({5, 1}, {0, 9}, {9, 4}), (Triangle{1, 0, 2}));
    EXPECT_EQ(order({0, 9}, {9, 4}, {5, 1}), (Triangle{0, 2, 1}));
    EXPECT_EQ(order({9, 4}, {5, 1}, {0, 9}), (Triangle{2, 1, 0}));
}

TEST_F(PaintOrderTest, TwoLowestNodesLevelPutTheRightOneFirst) {
    // y(A) = y(B) after the first exchanges.
    EXPECT_EQ(order({2, 9}, {7, 9}, {4, 1}), (Triangle{1, 0, 2}));
    // y(A) = y(C): B and C are exchanged, then A and B by x.
    EXPECT_EQ(order({2, 9}, {4, 1}, {7, 9}), (Triangle{2, 0, 1}));
    EXPECT_EQ(order({7, 9}, {4, 1}, {2, 9}), (Triangle{0, 2, 1}));
}

TEST_F(PaintOrderTest, TopLevelPairKeepsTheLowestFirstAndOrdersTheRestByX) {
    EXPECT_EQ(order({8, 1}, {3, 1}, {5, 9}), (Triangle{2, 1, 0}));
}

class PaintMeshTest : public ::testing::Test {
protected:
    PaintMeshTest() : input(testing::square_with_hole()), view(full_view(400, 400)) {}

    std::vector<testing::CanvasCall> paint(int mesh_ready) {
        RecordingCanvas canvas;
        paint_mesh(canvas, view, builder.mesh(), *input, mesh_ready, cache);
        return canvas.calls;
    }

    MeshBuilder builder;
    std::unique_ptr<InputTables> input;
    ViewState view;
    ElementCache cache;
};

TEST_F(PaintMeshTest, DrawsOnlyBlackUntilTheMeshIsReady) {
    builder.add_vp(builder.node(10, 10), builder.node(30, 10), builder.node(10, 30));
    EXPECT_THAT(paint(0), ElementsAre(erase_call()));
}

TEST_F(PaintMeshTest, PaintsLiveTrianglesWithTheCentroidInsideInPaintOrder) {
    const int a = builder.node(10, 10);
    const int b = builder.node(30, 10);
    const int c = builder.node(10, 30);
    builder.add_vp(a, b, c);  // inside
    const int d = builder.node(90, 90);
    const int e = builder.node(70, 95);
    const int f = builder.node(95, 70);
    builder.delete_vp(builder.add_vp(d, e, f));  // inside but deleted
    // Around the hole's centre: the centroid lies in the hole.
    builder.add_vp(builder.node(45, 45), builder.node(55, 45), builder.node(50, 58));
    // Outside the square.
    builder.add_vp(builder.node(150, 10), builder.node(170, 10), builder.node(160, 30));
    builder.add_vp(d, f, e);  // inside again, nodes given in another order

    EXPECT_THAT(paint(1), ElementsAre(erase_call(),
                                      // c (lowest) first, then a (x 10) and b (x 30)
                                      line_call(10, 30, 10, 10, WHITE), line_call(10, 10, 30, 10, WHITE),
                                      line_call(30, 10, 10, 30, WHITE),
                                      // e (y 95), then f (x 95) and d (x 90): d comes before f
                                      line_call(70, 95, 90, 90, WHITE), line_call(90, 90, 95, 70, WHITE),
                                      line_call(95, 70, 70, 95, WHITE)));
}

TEST_F(PaintMeshTest, SkipsTheVpsAtInfinity) {
    // Vps 1 to 3 of the builder hold triangles inside the square.
    EXPECT_THAT(paint(1), ElementsAre(erase_call()));
}

TEST_F(PaintMeshTest, KeepsTheElementsOfARunUntilCleared) {
    builder.add_vp(builder.node(10, 10), builder.node(30, 10), builder.node(10, 30));
    EXPECT_EQ(paint(1).size(), 4u);
    // A new run changes the tables; until the cache is cleared the repaint
    // still shows the elements found before.
    input->figure_count = 0;
    EXPECT_EQ(paint(1).size(), 4u);
    cache.clear();
    EXPECT_EQ(paint(1).size(), 1u);
}

TEST_F(PaintMeshTest, FollowsTheZoom) {
    builder.add_vp(builder.node(10, 10), builder.node(30, 10), builder.node(10, 30));
    zoom_in_at(view, 20, 20);  // factor 2 around (20, 20)
    const auto calls = paint(1);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[1], line_call(180, 220, 180, 180, WHITE));
}

class DrawVoronoiTest : public ::testing::Test {
protected:
    DrawVoronoiTest() : view(full_view(400, 400)) {
        // Circumcentres (20.5, 10.5) and (20.5, 15.83), clear of whole pixels.
        const int a = builder.node(10.5, 10.5);
        const int b = builder.node(30.5, 10.5);
        top = builder.add_vp(a, b, builder.node(20.5, 20.5));
        bottom = builder.add_vp(a, b, builder.node(20.5, 4.5));
    }

    std::vector<testing::CanvasCall> draw(int mesh_ready) {
        RecordingCanvas canvas;
        draw_voronoi(canvas, view, builder.mesh(), mesh_ready, platform);
        return canvas.calls;
    }

    MeshBuilder builder;
    HeadlessPlatform platform;
    ViewState view;
    int top = 0;
    int bottom = 0;
};

TEST_F(DrawVoronoiTest, DrawsEdgesBetweenFiniteVpsInCyanWithoutErasing) {
    builder.add_voronoi_edge(top, bottom);
    EXPECT_THAT(draw(1), ElementsAre(line_call(20, 10, 20, 15, CYAN)));
    EXPECT_THAT(platform.messages, IsEmpty());
}

TEST_F(DrawVoronoiTest, SkipsEdgesToInfinityAndToDeletedVps) {
    builder.add_voronoi_edge(top, 3);
    builder.add_voronoi_edge(1, bottom);
    const int gone = builder.add_vp(builder.node(50, 50), builder.node(60, 50), builder.node(55, 60));
    builder.delete_vp(gone);
    builder.add_voronoi_edge(top, gone);
    builder.add_voronoi_edge(gone, bottom);
    EXPECT_THAT(draw(1), IsEmpty());
    EXPECT_THAT(platform.messages, IsEmpty());
}

TEST_F(DrawVoronoiTest, DrawsNothingWithoutAReadyMesh) {
    builder.add_voronoi_edge(top, bottom);
    EXPECT_THAT(draw(0), IsEmpty());
}

}  // namespace
}  // namespace tesu
