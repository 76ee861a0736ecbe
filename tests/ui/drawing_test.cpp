#include "ui/drawing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <utility>
#include <vector>

#include "mesh_builder.h"
#include "output/voronoi_edges.h"
#include "recording_canvas.h"
#include "ui/headless_platform.h"

namespace tesu {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace testing;

ViewState full_view(int width, int height) {
    ViewState view;
    reset_view(view, width, height);
    return view;
}

TEST(DrawSegment, MapsBothEndsThroughTheViewAndClamps) {
    ViewState view = full_view(400, 400);  // k = 1
    RecordingCanvas canvas;
    draw_segment(canvas, view, WHITE, -35000, 10, 40000, 50000);
    zoom_in_at(view, 300, 100);  // centre (300, 100), factor 2
    draw_segment(canvas, view, CYAN, 290, 95, 310.6, 120);
    EXPECT_THAT(canvas.calls,
                ElementsAre(line_call(-31000, 10, 32767, 32767, WHITE), line_call(180, 190, 221, 240, CYAN)));
}

TEST(PlotDot, UsesTheBaseFactorOnlyWhereALineWouldStartInTheFullView) {
    ViewState view = full_view(800, 600);  // k = 1.5
    RecordingCanvas canvas;
    plot_dot(canvas, view, 10.5, 3.9);
    draw_segment(canvas, view, WHITE, 10.5, 3.9, 0, 0);
    zoom_in_at(view, 700, 500);
    plot_dot(canvas, view, 10.5, 3.9);
    plot_dot(canvas, view, 1e300, std::numeric_limits<double>::quiet_NaN());  // lost, not converted
    EXPECT_THAT(canvas.calls, ElementsAre(pixel_call(15, 5, YELLOW), line_call(15, 5, 0, 0, WHITE),
                                          pixel_call(15, 5, YELLOW)));
}

class PaintMeshTest : public ::testing::Test {
protected:
    // Paints the mesh as a run that has finished (or not) leaves it.
    std::vector<CanvasCall> paint(bool finished) {
        RecordingCanvas canvas;
        const FinishedMesh mesh = collect_finished_mesh(builder.mesh(), *input, 3);
        paint_mesh(canvas, view, finished ? &mesh : nullptr, cache);
        return canvas.calls;
    }
    MeshBuilder builder;
    std::unique_ptr<InputTables> input = square_with_hole();
    ViewState view = full_view(400, 400);
    ElementCache cache;
};

TEST_F(PaintMeshTest, PaintsTheLiveTrianglesWhoseCentroidIsInsideInPaintOrder) {
    builder.add_vp(builder.node(10, 10), builder.node(30, 10), builder.node(10, 30));
    const int d = builder.node(90, 90);
    const int e = builder.node(70, 95);
    const int f = builder.node(95, 70);
    builder.delete_vp(builder.add_vp(d, e, f));
    builder.add_vp(builder.node(45, 45), builder.node(55, 45), builder.node(50, 58));     // in the hole
    builder.add_vp(builder.node(150, 10), builder.node(170, 10), builder.node(160, 30));  // outside
    builder.add_vp(d, f, e);

    EXPECT_THAT(paint(false), ElementsAre(erase_call()));
    EXPECT_THAT(paint(true),
                ElementsAre(erase_call(), line_call(10, 30, 10, 10, WHITE), line_call(10, 10, 30, 10, WHITE),
                            line_call(30, 10, 10, 30, WHITE), line_call(70, 95, 90, 90, WHITE),
                            line_call(90, 90, 95, 70, WHITE), line_call(95, 70, 70, 95, WHITE)));
}

TEST_F(PaintMeshTest, KeepsTheElementsFoundUntilCleared) {
    builder.add_vp(builder.node(10, 10), builder.node(30, 10), builder.node(10, 30));
    EXPECT_EQ(paint(true).size(), 4u);
    input->figure_count = 0;  // the tables of a new run
    EXPECT_EQ(paint(true).size(), 4u);
    cache.clear();
    EXPECT_EQ(paint(true).size(), 1u);
}

TEST(PaintMeshQuality, FillsEachElementInItsBandWithThePoorOnesLast) {
    FinishedMesh mesh;
    for (const double x : {10.0, 30.0, 50.0, 70.0}) {
        for (const Point& p : {Point{x, 10}, {x + 10, 10}, {x, 20}}) mesh.drawing_nodes.push_back(p);
    }
    mesh.triangles = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    mesh.smallest_angles = {45, 19.9, 20, std::numeric_limits<double>::quiet_NaN()};
    RecordingCanvas canvas;
    paint_mesh_quality(canvas, full_view(400, 400), mesh);  // drawing units are pixels

    ASSERT_FALSE(canvas.calls.empty());
    EXPECT_EQ(canvas.calls.front(), erase_call());
    std::map<std::pair<int, int>, Colour> pixels;  // the colour each was set to last
    std::vector<CanvasCall> lines;
    for (const CanvasCall& call : canvas.calls) {
        if (call.kind == 'p') pixels[{call.x0, call.y0}] = call.colour;
        if (call.kind == 'l') lines.push_back(call);
    }
    const QualityBand& under_50 = QUALITY_BANDS[3];
    const QualityBand& under_30 = QUALITY_BANDS[1];
    const QualityBand& poor = QUALITY_BANDS[0];
    EXPECT_EQ(pixels.at({12, 12}), under_50.fill);
    EXPECT_EQ(pixels.at({32, 12}), poor.fill);
    EXPECT_EQ(pixels.at({52, 12}), under_30.fill);
    EXPECT_EQ(pixels.at({72, 12}), poor.fill);
    EXPECT_EQ(pixels.count({25, 18}), 0u);  // between the elements
    const auto edges = [](int x, Colour c) {
        return std::vector{line_call(x, 10, x + 10, 10, c), line_call(x + 10, 10, x, 20, c),
                           line_call(x, 20, x, 10, c)};
    };
    std::vector<CanvasCall> expected;
    for (const auto& [x, band] : {std::pair{10, under_50}, {50, under_30}, {30, poor}, {70, poor}}) {
        for (const CanvasCall& edge : edges(x, band.edge)) expected.push_back(edge);
    }
    EXPECT_EQ(lines, expected);
}

TEST(DrawVoronoi, DrawsEdgesBetweenLiveFiniteVpsInCyan) {
    MeshBuilder builder;
    // Circumcentres (20.5, 10.5) and (20.5, 15.83), clear of whole pixels.
    const int a = builder.node(10.5, 10.5);
    const int b = builder.node(30.5, 10.5);
    const int top = builder.add_vp(a, b, builder.node(20.5, 20.5));
    const int bottom = builder.add_vp(a, b, builder.node(20.5, 4.5));
    const int gone = builder.add_vp(builder.node(50, 50), builder.node(60, 50), builder.node(55, 60));
    builder.delete_vp(gone);
    builder.add_voronoi_edge(top, 3);
    builder.add_voronoi_edge(1, bottom);
    builder.add_voronoi_edge(top, gone);
    builder.add_voronoi_edge(gone, bottom);
    builder.add_voronoi_edge(top, bottom);

    const VoronoiEdges voronoi = voronoi_edges(builder.mesh());
    EXPECT_TRUE(voronoi.all_finite);
    RecordingCanvas canvas;
    draw_voronoi(canvas, full_view(400, 400), voronoi.edges);
    EXPECT_THAT(canvas.calls, ElementsAre(line_call(20, 10, 20, 15, CYAN)));
}

}  // namespace
}  // namespace tesu
