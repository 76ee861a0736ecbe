// The interior search starts each nearest-node walk next to the candidate
// rather than at the node inserted last. A greedy walk over the Delaunay
// neighbours ends at a nearest node wherever it starts, so the mesh must come
// out the same, node for node and row for row, as with walks that always
// start at the node inserted last.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "engine/geometry.h"
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
using testing::throw_on_fatal;

// The lattice sweep with every walk starting at the node inserted last.
void sweep_walking_from_last_node(MeshTables& mesh, const InputTables& input, Platform& platform) {
    double top = 400.0;
    for (int i = 0; i < input.outline_point_count; ++i) top = std::min(top, input.outline_xy[i].y);
    double y = 399.0;
    double x = 0.0;
    int shift = 1;
    for (;;) {
        double r_min = 1e30;
        double step = 0;
        do {
            const double rho = local_density(input, x, y);
            if (rho < r_min) r_min = rho;
            if (inside_figures(input, x, y) == 1) {
                const int k = mesh.number + 1;
                mesh.node_xy[k] = {x, y};
                const double d2 = nearest_distance2(mesh, mesh.number, k, platform);
                if (d2 > 0 && std::sqrt(d2) > rho - 1e-7) {
                    insert_node(mesh, k, platform);
                    ++mesh.number;
                }
            }
            step = rho / input.span;
            x = x + step;
        } while (x <= 399.0);
        y = y - std::sqrt(3.0) / 2 * r_min / input.span;
        x = shift * step / 2;
        if (y < 0 || y < top) return;
        shift = 1 - shift;
    }
}

// Outline and division nodes of `input` (in file units), inserted.
void place_first_nodes(MeshTables& mesh, InputTables& input, Platform& platform) {
    normalise_input(input);
    RunResults results;
    ASSERT_TRUE(place_contour_nodes(mesh, input, results, platform));
    const int last = place_division_nodes(mesh, input, results, platform);
    ASSERT_GE(last, 3);
    init_mesh(mesh);
    for (int k = 4; k <= last; ++k) {
        insert_node(mesh, mesh.number + 1, platform);
        ++mesh.number;
    }
}

void expect_same_mesh_as_walks_from_last_node(const InputTables& data) {
    HeadlessPlatform platform;
    throw_on_fatal(platform);
    auto searched = std::make_unique<MeshTables>();
    auto reference = std::make_unique<MeshTables>();
    auto searched_input = std::make_unique<InputTables>(data);
    auto reference_input = std::make_unique<InputTables>(data);

    place_first_nodes(*searched, *searched_input, platform);
    place_first_nodes(*reference, *reference_input, platform);
    place_interior_nodes(*searched, *searched_input, platform);
    sweep_walking_from_last_node(*reference, *reference_input, platform);

    ASSERT_EQ(searched->number, reference->number);
    ASSERT_EQ(searched->vp_number, reference->vp_number);
    for (int k = 4; k <= searched->number; ++k) {
        ASSERT_EQ(searched->node_xy[k].x, reference->node_xy[k].x) << "node " << k;
        ASSERT_EQ(searched->node_xy[k].y, reference->node_xy[k].y) << "node " << k;
    }
    for (int v = 4; v <= searched->vp_number; ++v) ASSERT_EQ(searched->vp_ve[v], reference->vp_ve[v]) << v;
}

TEST(InteriorWalkStart, PlateWithHoleAtSeveralSpans) {
    for (const double span : {1.0, 2.0, 3.0, 4.5}) {
        auto input = std::make_unique<InputTables>();
        add_figure(*input, rectangle(0, 0, 100, 50));
        add_figure(*input, rectangle(40, 20, 60, 30));
        input->basic_density = 2.5;
        input->span = span;
        add_density_row(*input, 20, 25, 0.5, 15);
        expect_same_mesh_as_walks_from_last_node(*input);
    }
}

TEST(InteriorWalkStart, RefinedDiscAndRandomPolygons) {
    auto disc = std::make_unique<InputTables>();
    add_figure(*disc, circle(50, 50, 40, 60));
    disc->basic_density = 3;
    disc->span = 2;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> inside(25, 75);
    for (int i = 0; i < 12; ++i) add_density_row(*disc, inside(random), inside(random), 0.6, 10);
    expect_same_mesh_as_walks_from_last_node(*disc);

    for (int seed = 1; seed <= 6; ++seed) {
        std::mt19937 shapes(seed);
        auto input = std::make_unique<InputTables>();
        add_figure(*input, random_polygon(shapes, 50, 50, 45, 5 + seed * 4));
        input->basic_density = 4;
        input->span = 1 + seed % 3;
        add_density_row(*input, 50, 50, 1, 20);
        expect_same_mesh_as_walks_from_last_node(*input);
    }
}

}  // namespace
}  // namespace tesu
