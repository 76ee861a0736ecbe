// Outlines whose nodes, inserted in index order, give cavities of hundreds
// of vps: long straight edges and many points on one circle. They mesh, and
// the mesh covers the figure exactly with triangles whose circles hold no
// node across any shared edge.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <ostream>
#include <string>

#include "engine/creation_order.h"
#include "run/run_driver.h"
#include "support/batch_runner.h"
#include "support/circle_check.h"
#include "ui/headless_platform.h"

namespace tesu::testing {
namespace {

struct LongOutline {
    const char* name;
    std::string data;
    double area;  // in file units
};

void PrintTo(const LongOutline& outline, std::ostream* out) { *out << outline.name; }

std::string circle(int points, double radius, double spacing) {
    std::string data;
    char line[96];
    for (int i = 0; i <= points; ++i) {
        const double angle = 2 * std::numbers::pi * (i % points) / points;
        std::snprintf(line, sizeof line, "%.9f %.9f\n", radius * std::cos(angle), radius * std::sin(angle));
        data += line;
    }
    return data + "b = " + std::to_string(spacing) + "\ns = 2\n";
}

class LongOutlines : public ::testing::TestWithParam<LongOutline> {};

double twice_area(const Point& a, const Point& b, const Point& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

TEST_P(LongOutlines, MeshCoversTheFigureWithDelaunayTriangles) {
    const TempFolder folder;
    MeshRun run;
    RunResults results;
    HeadlessPlatform platform;
    RunObserver silent;
    run_mesh_generation(run, folder.write("long.DAT", GetParam().data).string(), {}, results, platform,
                        silent);
    ASSERT_EQ(results.outcome, RunOutcome::written);
    const MeshTables* mesh = &run.tables();
    const InputTables* input = &run.input();

    // A disc triangulated with n nodes, b of them on its border, has
    // 2n - b - 2 triangles.
    const int nodes = mesh->number - 3;
    const int border = results.last_contour_node - 3;
    EXPECT_EQ(results.element_count, 2 * nodes - border - 2);

    double area = 0;
    for (const int v : triangles_in_creation_order(*mesh)) {
        const auto [p, q, r] = vp_nodes(*mesh, v);
        if (p <= 3 || q <= 3 || r <= 3) continue;
        area += std::fabs(twice_area(mesh->node_xy[p], mesh->node_xy[q], mesh->node_xy[r])) / 2;
    }
    EXPECT_NEAR(area / (input->data_scale * input->data_scale), GetParam().area, 1e-6 * GetParam().area);

    // Across every Delaunay edge, the node of one triangle lies outside the
    // circle of the other.
    int violations = 0;
    for (const int e : live_ves_in_creation_order(*mesh)) {
        const auto [a, b] = mesh->ve_vp[e];
        if (a <= 3 || b <= 3) continue;
        const auto other = vp_nodes(*mesh, b);
        for (const int n : other) {
            if (n != mesh->ve_node[e][0] && n != mesh->ve_node[e][1] && n > 3) {
                const auto [p, q, r] = vp_nodes(*mesh, a);
                if (p > 3 && q > 3 && r > 3 &&
                    inside_circle(mesh->node_xy[p], mesh->node_xy[q], mesh->node_xy[r], mesh->node_xy[n]))
                    ++violations;
            }
        }
    }
    EXPECT_EQ(violations, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, LongOutlines,
    ::testing::Values(LongOutline{"strip", "0 0\n1000 0\n1000 10\n0 10\n0 0\nb = 1\ns = 2\n", 10'000.0},
                      LongOutline{"circle", circle(2000, 20.0, 0.2),
                                  2000 * 0.5 * 400 * std::sin(2 * std::numbers::pi / 2000)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tesu::testing
