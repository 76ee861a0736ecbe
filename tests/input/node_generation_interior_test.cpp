// The interior stage, run after the earlier stages and the insertion of
// their nodes as a mesh generation run does; needs the mesh engine.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/voronoi.h"
#include "input/inside_test.h"
#include "input/node_generation.h"
#include "node_test_support.h"

namespace tesu {
namespace {

using testing::add_density_row;
using testing::add_figure;
using testing::rectangle;

class InteriorNodes : public ::testing::Test {
protected:
    // From file units to the interior nodes; sets last_placed_.
    void place_all_nodes(int node_limit = NODE_LIMIT) {
        normalise_input(input_);
        last_contour_node_ = place_contour_nodes(*mesh_, input_);
        last_placed_ = place_division_nodes(*mesh_, input_, last_contour_node_);
        ASSERT_GE(last_placed_, 3);
        VoronoiBuilder builder(*mesh_);
        builder.start_diagram();
        for (int k = 4; k <= last_placed_; ++k) {
            builder.insert_node(mesh_->number + 1);
            ++mesh_->number;
        }
        place_interior_nodes(builder, input_, {}, node_limit);
    }

    double distance(int a, int b) const {
        const Point& p = mesh_->node_xy[a];
        const Point& q = mesh_->node_xy[b];
        return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y));
    }

    // Every interior node lies inside the figures, farther than its own
    // spacing less 1e-7 from every node placed before it.
    void expect_interior_nodes_keep_their_spacing() const {
        for (int k = last_placed_ + 1; k <= mesh_->number; ++k) {
            const Point& p = mesh_->node_xy[k];
            ASSERT_EQ(inside_figures(input_, p.x, p.y), 1) << "node " << k;
            const double spacing = local_density(input_, p.x, p.y);
            for (int m = 4; m < k; ++m) {
                ASSERT_GT(distance(k, m), spacing - 1e-7) << "nodes " << k << " and " << m;
            }
        }
    }

    std::unique_ptr<MeshTables> mesh_ = std::make_unique<MeshTables>();
    InputTables input_;
    int last_contour_node_ = 3;
    int last_placed_ = 0;
};

TEST_F(InteriorNodes, UniformSpacingFillsTheLatticeWhereverNoNodeIsNear) {
    // 399 drawing units wide and high, spacing h = 19.95, span 1.
    add_figure(input_, rectangle(0, 0, 100, 100));
    add_figure(input_, rectangle(30, 30, 60, 50));  // a hole
    input_.basic_density = 5;
    input_.span = 1;
    place_all_nodes();
    const double h = input_.basic_density;
    ASSERT_GT(mesh_->number, last_placed_ + 100);

    // Nodes are at least h - 1e-7 apart once one of them is an interior node.
    for (int k = last_placed_ + 1; k <= mesh_->number; ++k) {
        for (int m = 4; m <= mesh_->number; ++m) {
            if (m == k) continue;
            ASSERT_GT(distance(k, m), h - 1e-7) << "nodes " << k << " and " << m;
        }
    }

    // The lattice: rows from Y = 399 upwards, (sqrt 3) / 2 h apart, points h
    // apart from X = 0, every second row shifted by h / 2. Each inside point
    // is a node or has one closer than h - 1e-7.
    int lattice_nodes = 0;
    int shift = 0;
    for (double y = 399; y >= 0; y = y - std::sqrt(3.0) / 2 * h / input_.span, shift = 1 - shift) {
        for (double x = shift * h / 2; x <= 399; x = x + h / input_.span) {
            if (inside_figures(input_, x, y) == 0) continue;
            bool is_node = false;
            bool near = false;
            for (int m = 4; m <= mesh_->number; ++m) {
                const Point& p = mesh_->node_xy[m];
                const double d = std::sqrt((p.x - x) * (p.x - x) + (p.y - y) * (p.y - y));
                is_node = is_node || (m > last_placed_ && d < 1e-9);
                near = near || (d <= h - 1e-7);
            }
            lattice_nodes += is_node;
            EXPECT_TRUE(is_node || near) << "lattice point (" << x << ", " << y << ")";
        }
    }
    // And every interior node is such a lattice point.
    EXPECT_EQ(lattice_nodes, mesh_->number - last_placed_);
}

TEST_F(InteriorNodes, VaryingSpacingAndFinerSpanKeepEachNodeApartFromEarlierOnes) {
    add_figure(input_, {{0, 0}, {100, 0}, {100, 60}, {50, 100}, {0, 60}});
    input_.basic_density = 6;
    input_.span = 2.5;
    add_density_row(input_, 50, 50, 1.5, 30);
    add_density_row(input_, 100, 0, 1, 15);
    input_.division_xy[input_.division_node_count++] = {40, 40};
    input_.division_xy[input_.division_node_count++] = {150, 150};  // outside the figures
    place_all_nodes();
    EXPECT_GT(mesh_->number, last_placed_ + 100);
    expect_interior_nodes_keep_their_spacing();
}

// Interior nodes of a figure 50 wide and 100 high in file units, so that
// the lattice rows run on beyond it to X = 399; optionally with a
// refinement on the first row, 25 file units right of the figure.
std::vector<Point> interior_nodes_of_tall_figure(bool with_refinement_beside) {
    auto mesh = std::make_unique<MeshTables>();
    InputTables input;
    add_figure(input, rectangle(0, 0, 50, 100));
    input.basic_density = 5;
    input.span = 1;
    if (with_refinement_beside) add_density_row(input, 75, 0, 1, 5);
    normalise_input(input);
    const int last_contour_node = place_contour_nodes(*mesh, input);
    const int last_placed = place_division_nodes(*mesh, input, last_contour_node);
    VoronoiBuilder builder(*mesh);
    builder.start_diagram();
    for (int k = 4; k <= last_placed; ++k) {
        builder.insert_node(mesh->number + 1);
        ++mesh->number;
    }
    place_interior_nodes(builder, input, {});
    return {&mesh->node_xy[last_placed + 1], &mesh->node_xy[mesh->number + 1]};
}

TEST(InteriorRows, NextRowFollowsTheSmallestSpacingMetAlongTheRowEvenOutsideTheFigures) {
    // The refinement reaches no point of the figure, but it shortens the
    // distance to the second row, and so moves every row after it.
    const std::vector<Point> plain = interior_nodes_of_tall_figure(false);
    const std::vector<Point> moved = interior_nodes_of_tall_figure(true);
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(moved.empty());
    EXPECT_NE(plain.front().y, moved.front().y);
}

TEST_F(InteriorNodes, FigureSmallerThanTheSpacingGetsNone) {
    add_figure(input_, {{0, 0}, {10, 0}, {5, 8}});
    input_.basic_density = 20;
    input_.span = 1;
    place_all_nodes();
    EXPECT_EQ(mesh_->number, last_placed_);
    EXPECT_EQ(last_contour_node_, 6);
}

TEST_F(InteriorNodes, NoFigureGetsNone) {
    input_.outline_xy[input_.outline_point_count++] = {0, 0};
    input_.outline_xy[input_.outline_point_count++] = {10, 5};
    input_.basic_density = 1;
    input_.span = 1;
    place_all_nodes();
    EXPECT_EQ(mesh_->number, 3);
}

// A square whose sides zigzag: short edges that turn at every vertex, so
// that the outline nodes neither line up nor lie on one circle.
std::vector<Point> zigzag_square(double side, int vertices_per_side, double depth) {
    const Point corners[] = {{0, 0}, {side, 0}, {side, side}, {0, side}};
    std::vector<Point> vertices;
    for (int c = 0; c < 4; ++c) {
        const Point a = corners[c];
        const Point b = corners[(c + 1) % 4];
        const double nx = -(b.y - a.y) / side;
        const double ny = (b.x - a.x) / side;
        for (int i = 0; i < vertices_per_side; ++i) {
            const double t = static_cast<double>(i) / vertices_per_side;
            const double d = i % 2 == 1 ? depth : 0;
            vertices.push_back({a.x + t * (b.x - a.x) + d * nx, a.y + t * (b.y - a.y) + d * ny});
        }
    }
    return vertices;
}

TEST_F(InteriorNodes, FillingTheTableStopsWithTheCapacityMessage) {
    // About 4,000 outline nodes and over 700,000 lattice points inside, with
    // a limit of 50,000 nodes.
    add_figure(input_, zigzag_square(399, 250, 0.5));
    input_.basic_density = 0.5;
    input_.span = 1;
    try {
        place_all_nodes(50'000);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.cause(), ErrorCause::capacity);
        EXPECT_EQ(error.caption(), COMPUTATION_ERROR_CAPTION);
        EXPECT_NE(error.text().find("MAX_NUMBER!!! number =50000 "), std::string::npos);
    }
    EXPECT_EQ(mesh_->number, 50'000);
}

}  // namespace
}  // namespace tesu
