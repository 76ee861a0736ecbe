// The interior search finds the node nearest to each lattice point by a
// greedy walk over the Delaunay neighbours, started next to the point. Its
// nodes must be those of a brute-force search over the same lattice: an
// inside lattice point becomes a node exactly when every node before it, the
// outline and division nodes included, lies farther away than the spacing
// there (less 1e-7) and none lies on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "engine/voronoi.h"
#include "input/inside_test.h"
#include "input/node_generation.h"
#include "node_test_support.h"

namespace tesu {
namespace {

using testing::add_density_row;
using testing::add_figure;
using testing::circle;
using testing::random_polygon;
using testing::rectangle;

struct LatticePoint {
    Point at;
    double spacing;
};

// The inside points of the search lattice in sweep order, with the spacing
// at each: rows from Y = 399 up to the topmost outline point; along a row,
// from X = 0 to 399, a step of the spacing divided by the span; the next row
// (sqrt 3) / 2 times the smallest spacing met along the row (outside the
// figures too) higher, starting half the row's last step in every second
// time.
std::vector<LatticePoint> inside_lattice(const InputTables& input) {
    double top = 400;
    for (int i = 0; i < input.outline_point_count; ++i) top = std::min(top, input.outline_xy[i].y);
    std::vector<LatticePoint> points;
    double y = 399;
    double x = 0;
    int shift = 1;
    for (;;) {
        double smallest = 1e30;
        double step = 0;
        do {
            const double spacing = local_density(input, x, y);
            smallest = std::min(smallest, spacing);
            if (inside_figures(input, x, y) == 1) points.push_back({{x, y}, spacing});
            step = spacing / input.span;
            x += step;
        } while (x <= 399);
        y -= std::sqrt(3.0) / 2 * smallest / input.span;
        x = shift * step / 2;
        if (y < 0 || y < top) return points;
        shift = 1 - shift;
    }
}

// Whether any of `nodes` lies on `p` or within `spacing` less 1e-7 of it.
bool has_node_near(const std::vector<Point>& nodes, const Point& p, double spacing) {
    for (const Point& n : nodes) {
        const double d2 = (n.x - p.x) * (n.x - p.x) + (n.y - p.y) * (n.y - p.y);
        if (!(d2 > 0 && std::sqrt(d2) > spacing - 1e-7)) return true;
    }
    return false;
}

// Runs the node stages on `data` (in file units) and compares the interior
// nodes with the brute-force search; returns how many there are.
int expect_brute_force_interior_nodes(const InputTables& data) {
    auto mesh = std::make_unique<MeshTables>();
    auto input = std::make_unique<InputTables>(data);
    normalise_input(*input);
    const int last_contour_node = place_contour_nodes(*mesh, *input);
    const int last_placed = place_division_nodes(*mesh, *input, last_contour_node);
    EXPECT_GE(last_placed, 3);
    VoronoiBuilder builder(*mesh);
    builder.start_diagram();
    for (int k = 4; k <= last_placed; ++k) {
        builder.insert_node(mesh->number + 1);
        ++mesh->number;
    }
    place_interior_nodes(builder, *input, {});

    std::vector<Point> nodes(&mesh->node_xy[4], &mesh->node_xy[last_placed + 1]);
    std::vector<Point> expected;
    for (const LatticePoint& p : inside_lattice(*input)) {
        if (has_node_near(nodes, p.at, p.spacing)) continue;
        nodes.push_back(p.at);
        expected.push_back(p.at);
    }
    EXPECT_EQ(mesh->number - last_placed, static_cast<int>(expected.size()));
    int differences = 0;
    for (int i = 0; i < static_cast<int>(expected.size()) && last_placed + 1 + i <= mesh->number; ++i) {
        const Point& found = mesh->node_xy[last_placed + 1 + i];
        if ((found.x != expected[i].x || found.y != expected[i].y) && ++differences <= 3) {
            ADD_FAILURE() << "interior node " << i << ": (" << found.x << ", " << found.y << ") instead of ("
                          << expected[i].x << ", " << expected[i].y << ")";
        }
    }
    EXPECT_EQ(differences, 0);
    return static_cast<int>(expected.size());
}

TEST(InteriorSearch, PlateWithHoleAndRefinementAtSeveralSpansMatchesBruteForce) {
    for (const double span : {1.0, 2.0, 3.5}) {
        auto input = std::make_unique<InputTables>();
        add_figure(*input, rectangle(0, 0, 100, 50));
        add_figure(*input, rectangle(40, 20, 60, 30));
        input->basic_density = 2;
        input->span = span;
        add_density_row(*input, 20, 25, 0.4, 15);
        EXPECT_GT(expect_brute_force_interior_nodes(*input), 100) << "span " << span;
    }
}

TEST(InteriorSearch, RefinedDiscAndRandomPolygonsMatchBruteForce) {
    auto disc = std::make_unique<InputTables>();
    add_figure(*disc, circle(50, 50, 40, 60));
    disc->basic_density = 2.5;
    disc->span = 2;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> inside(25, 75);
    for (int i = 0; i < 12; ++i) add_density_row(*disc, inside(random), inside(random), 0.5, 10);
    EXPECT_GT(expect_brute_force_interior_nodes(*disc), 100);

    for (int seed = 1; seed <= 6; ++seed) {
        std::mt19937 shapes(seed);
        auto input = std::make_unique<InputTables>();
        add_figure(*input, random_polygon(shapes, 50, 50, 45, 5 + seed * 4));
        input->basic_density = 2.5;
        input->span = 1 + seed % 3;
        add_density_row(*input, 50, 50, 0.7, 20);
        EXPECT_GT(expect_brute_force_interior_nodes(*input), 20) << "seed " << seed;
    }
}

}  // namespace
}  // namespace tesu
