// Normalisation, outline nodes and division-specified nodes: the stages
// before the diagram exists.
#include "input/node_generation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "input/data_file.h"
#include "input/inside_test.h"
#include "node_test_support.h"

namespace tesu {
namespace {

using testing::add_density_row;
using testing::add_figure;
using testing::circle;
using testing::failure_of;
using testing::rectangle;

TEST(NormaliseInput, LongerSideSpansZeroTo399) {
    InputTables wide;
    add_figure(wide, rectangle(10, 20, 210, 120));
    wide.basic_density = wide.span = 10;
    normalise_input(wide);
    EXPECT_DOUBLE_EQ(wide.data_scale, 399.0 / 200);
    EXPECT_EQ(wide.data_min_x, 10);
    EXPECT_EQ(wide.data_min_y, 20);
    EXPECT_EQ(wide.outline_xy[0].x, 0);
    EXPECT_EQ(wide.outline_xy[0].y, 399);
    EXPECT_DOUBLE_EQ(wide.outline_xy[2].x, 399);
    EXPECT_DOUBLE_EQ(wide.outline_xy[2].y, 399 - 100 * 399.0 / 200);

    InputTables tall;
    add_figure(tall, rectangle(0, -100, 50, 300));
    tall.basic_density = tall.span = 10;
    normalise_input(tall);
    EXPECT_DOUBLE_EQ(tall.data_scale, 399.0 / 400);
    EXPECT_EQ(tall.outline_xy[0].y, 399);
    EXPECT_NEAR(tall.outline_xy[2].y, 0, 1e-12);
    EXPECT_DOUBLE_EQ(tall.outline_xy[2].x, 50 * 399.0 / 400);
}

TEST(NormaliseInput, ConvertsEveryTableButTheSpan) {
    InputTables input;
    add_figure(input, rectangle(0, 0, 100, 50));
    input.outline_xy[input.outline_point_count++] = {-100, 10};  // an open point widens the extent
    input.basic_density = 4;
    input.span = 2.5;
    add_density_row(input, 50, 25, 1, 20);
    input.division_xy[input.division_node_count++] = {60, 30};
    normalise_input(input);

    const double scale = 399.0 / 200;
    EXPECT_EQ(input.data_scale, scale);
    EXPECT_EQ(input.data_min_x, -100);
    EXPECT_EQ(input.outline_xy[5].x, 0);
    EXPECT_EQ(input.basic_density, 4 * scale);
    EXPECT_EQ(input.span, 2.5);
    const DensitySpec& row = input.density_spec[0];
    EXPECT_EQ(row.x, (50.0 + 100) * scale);
    EXPECT_EQ(row.y, 399.0 - 25 * scale);
    EXPECT_EQ(row.radius, 1 * scale);
    EXPECT_EQ(row.reach, 20 * scale);
    EXPECT_EQ(input.division_xy[0].x, (60.0 + 100) * scale);
    EXPECT_EQ(input.division_xy[0].y, 399.0 - 30 * scale);
}

TEST(NormaliseInput, IndexesTheConvertedTables) {
    InputTables input;
    add_figure(input, rectangle(0, 0, 100, 100));
    input.basic_density = 10;
    add_density_row(input, 50, 50, 1, 20);
    normalise_input(input);
    ASSERT_TRUE(input.outline_index.ready());
    ASSERT_TRUE(input.density_index.ready());
    EXPECT_EQ(inside_figures(input, 200, 200), 1);
    EXPECT_EQ(inside_figures(input, 400, 200), 0);
    EXPECT_EQ(local_density(input, 199.5, 199.5), 1 * 3.99);
}

class NodeStages : public ::testing::Test {
protected:
    const Point& node(int k) const { return mesh_->node_xy[k]; }

    std::unique_ptr<MeshTables> mesh_ = std::make_unique<MeshTables>();
    InputTables input_;
    int last_contour_node_ = 3;
};

TEST_F(NodeStages, EdgeNodesFollowTheSpacingAndHalveTheLastGap) {
    // Edges of 3.5 and 1.5 spacings.
    add_figure(input_, rectangle(0, 0, 35, 15));
    input_.basic_density = 10;
    last_contour_node_ = place_contour_nodes(*mesh_, input_);

    EXPECT_EQ(last_contour_node_, 15);
    const double expected_x[] = {0, 10, 20, 27.5, 35, 35, 35, 25, 15, 7.5, 0, 0};
    const double expected_y[] = {0, 0, 0, 0, 0, 7.5, 15, 15, 15, 15, 15, 7.5};
    for (int k = 4; k <= 15; ++k) {
        EXPECT_NEAR(node(k).x, expected_x[k - 4], 1e-9) << "node " << k;
        EXPECT_NEAR(node(k).y, expected_y[k - 4], 1e-9) << "node " << k;
    }
}

TEST_F(NodeStages, EdgeNoLongerThanTheSpacingGetsNoNodeAndOneJustLongerGetsItsMiddle) {
    add_figure(input_, {{0, 0}, {10, 0}, {10, 9.99}, {20.5, 9.99}});
    input_.basic_density = 10;
    last_contour_node_ = place_contour_nodes(*mesh_, input_);
    EXPECT_EQ(node(5).x, 10);  // edges of 10 and 9.99: no node
    EXPECT_EQ(node(6).y, 9.99);
    EXPECT_EQ(node(7).x, 15.25);  // edge of 10.5: its middle
    EXPECT_EQ(node(8).x, 20.5);
}

TEST_F(NodeStages, StepsFollowTheLocalSpacingAlongTheEdge) {
    add_figure(input_, {{0, 0}, {100, 0}, {50, 80}});
    input_.basic_density = 10;
    add_density_row(input_, 0, 0, 2, 40);  // 2 + 0.2 d
    last_contour_node_ = place_contour_nodes(*mesh_, input_);
    EXPECT_DOUBLE_EQ(node(5).x, 2);
    EXPECT_DOUBLE_EQ(node(6).x, 2 + 2.4);
    EXPECT_DOUBLE_EQ(node(7).x, 4.4 + 2.88);
}

TEST_F(NodeStages, VertexNodesAreExactCopiesAndTheClosingRowIsNotRepeated) {
    add_figure(input_, circle(200, 200, 150, 37));
    add_figure(input_, circle(200, 200, 50, 11));
    input_.basic_density = 7.3;
    last_contour_node_ = place_contour_nodes(*mesh_, input_);

    std::vector<Point> vertices;
    for (int f = 0; f < input_.figure_count; ++f) {
        for (int j = figure_start(input_, f); j < input_.figure_end[f]; ++j)
            vertices.push_back(input_.outline_xy[j]);
    }
    const auto same = [](const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; };
    EXPECT_TRUE(same(node(4), vertices[0]));
    // Each vertex once, in order.
    std::size_t found = 0;
    for (int k = 4; k <= last_contour_node_; ++k) {
        const bool is_vertex =
            std::any_of(vertices.begin(), vertices.end(), [&](const Point& v) { return same(node(k), v); });
        if (!is_vertex) continue;
        ASSERT_LT(found, vertices.size());
        EXPECT_TRUE(same(node(k), vertices[found])) << "node " << k;
        ++found;
    }
    EXPECT_EQ(found, vertices.size());
}

TEST_F(NodeStages, FigureSmallerThanTheSpacingGetsOnlyItsVertices) {
    add_figure(input_, {{100, 100}, {103, 100}, {101, 102}});
    input_.basic_density = 10;
    last_contour_node_ = place_contour_nodes(*mesh_, input_);
    EXPECT_EQ(last_contour_node_, 6);
}

TEST_F(NodeStages, NoFigureGivesNoOutlineNode) {
    input_.outline_xy[input_.outline_point_count++] = {5, 5};  // an open point only
    input_.basic_density = 10;
    last_contour_node_ = place_contour_nodes(*mesh_, input_);
    EXPECT_EQ(last_contour_node_, 3);
}

TEST_F(NodeStages, TouchingFiguresAreRefused) {
    add_figure(input_, rectangle(0, 0, 10, 10));
    add_figure(input_, rectangle(10, 0, 20, 10));
    input_.basic_density = 30;
    const auto error = failure_of([&] { place_contour_nodes(*mesh_, input_); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->cause(), ErrorCause::read);
}

TEST_F(NodeStages, VertexOnAnotherFiguresEdgeNodeIsRefused) {
    // The square's bottom edge gets one node, moved to (5, 0): the
    // triangle's first vertex.
    add_figure(input_, rectangle(0, 0, 10, 10));
    add_figure(input_, {{5, 0}, {8, -5}, {2, -5}});
    input_.basic_density = 6;
    const auto error = failure_of([&] { place_contour_nodes(*mesh_, input_); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->cause(), ErrorCause::read);
}

// A figure of two vertices, L apart, with a spacing of 1: each of its two
// edges gets L + 0.5 nodes, so with L = (last_row - 4) / 2 for an odd
// last_row the outline nodes fill rows 4 to last_row.
void fill_outline_to_row(InputTables& input, int last_row) {
    const double edge_length = (last_row - 4) / 2.0;
    add_figure(input, {{0, 0}, {edge_length, 0}});
    input.basic_density = 1;
}

TEST_F(NodeStages, OutlineFillingTheTableToItsLastRowPasses) {
    fill_outline_to_row(input_, 999);
    last_contour_node_ = place_contour_nodes(*mesh_, input_, 1000);
    EXPECT_EQ(last_contour_node_, 999);
}

TEST_F(NodeStages, OutlineBeyondTheTableStopsWithTheCapacityMessage) {
    fill_outline_to_row(input_, NODE_LIMIT + 1);
    const auto error = failure_of([&] { place_contour_nodes(*mesh_, input_); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->cause(), ErrorCause::capacity);
    // What the user is told to do about it.
    EXPECT_EQ(
        error->text(),
        "輪郭線上だけでも、生成されるノードの個数が多すぎます。\nもっと数を減らすようにパラメータを調節して"
        "下さい。\nMAX_NUMBER!!! number =10000000 ");
    // Rows 4 to 9,999,999, and the first edge's last node once more when it
    // was moved; the node for row 10,000,000 is never plotted.
}

TEST_F(NodeStages, DivisionNodeBeyondTheTableStopsWithTheCapacityMessage) {
    fill_outline_to_row(input_, 999);
    input_.division_xy[input_.division_node_count++] = {0.25, 0.25};
    last_contour_node_ = place_contour_nodes(*mesh_, input_, 1000);
    const auto error = failure_of([&] { place_division_nodes(*mesh_, input_, last_contour_node_, 1000); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->cause(), ErrorCause::capacity);
}

class DivisionNodes : public NodeStages {
protected:
    DivisionNodes() {
        add_figure(input_, rectangle(0, 0, 100, 100));
        input_.basic_density = 50;
        last_contour_node_ = place_contour_nodes(*mesh_, input_);
    }

    void add_division(double x, double y) { input_.division_xy[input_.division_node_count++] = {x, y}; }
};

TEST_F(DivisionNodes, AreAppendedInFileOrder) {
    ASSERT_EQ(last_contour_node_, 11);
    add_division(30, 40);
    add_division(500, -20);  // outside the figures, within the range
    EXPECT_EQ(place_division_nodes(*mesh_, input_, last_contour_node_), 13);
    EXPECT_EQ(node(12).x, 30);
    EXPECT_EQ(node(13).x, 500);
    EXPECT_EQ(node(13).y, -20);
}

TEST_F(DivisionNodes, WithoutAnyTheLastRowIsTheLastOutlineNode) {
    EXPECT_EQ(place_division_nodes(*mesh_, input_, last_contour_node_), 11);
}

TEST_F(DivisionNodes, PointsOnPlacedNodesAreNotPlacedAgain) {
    add_division(100, 0);   // a vertex
    add_division(50, 100);  // the node between two vertices
    add_division(20, 20);
    add_division(20, 20);   // twice in the file
    add_division(-0.0, 0);  // the first vertex, written as -0
    add_division(30, 30);
    EXPECT_EQ(place_division_nodes(*mesh_, input_, last_contour_node_), 13);
    EXPECT_EQ(node(12).x, 20);
    EXPECT_EQ(node(13).x, 30);
}

TEST_F(DivisionNodes, RangeEndsAreAccepted) {
    add_division(-4000, -4000);
    add_division(4400, 4400);
    EXPECT_EQ(place_division_nodes(*mesh_, input_, last_contour_node_), 13);
}

TEST_F(DivisionNodes, PointOutsideTheRangeRefusesTheFileBeforeAnyIsPlaced) {
    for (const Point outside : {Point{4400.001, 0}, Point{0, -4000.001}, Point{std::nan(""), 0}}) {
        input_.division_node_count = 0;
        add_division(10, 10);
        add_division(outside.x, outside.y);
        const auto error = failure_of([&] { place_division_nodes(*mesh_, input_, last_contour_node_); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->cause(), ErrorCause::read);
    }
}

}  // namespace
}  // namespace tesu
