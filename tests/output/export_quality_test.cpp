#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "export_fixture.h"
#include "output/quality_stats.h"

namespace tesu {
namespace {

inline constexpr double PI = 3.141592653589793;

std::string fixed(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

double degrees_of_atan(double ratio) { return std::atan(ratio) * 180 / PI; }

// The square (0,0)-(4,4) fanned around an off-centre node M(3, 1.5): four
// elements with smallest angles 26.6, 21.8, 39.8 and 50.2 degrees, the
// second also holding the largest angle, 124.5 degrees.
struct Fan {
    testing::TestMesh t{0, 0, 399.0 / 4};
    Fan(bool with_last_element = true) {
        const int A = t.node(0, 0), B = t.node(4, 0), C = t.node(4, 4), D = t.node(0, 4), M = t.node(3, 1.5);
        t.figure({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
        t.triangle(A, B, M);
        t.triangle(B, C, M);
        t.triangle(C, D, M);
        if (with_last_element) t.triangle(D, A, M);
    }
    QualityStats stats() const { return measure_quality(collect_finished_mesh(*t.mesh, *t.input, 7)); }
};

TEST(QualityStats, WholeSummaryOfAFan) {
    const Fan fan;
    const double smallest = degrees_of_atan(1 / 2.5);
    const double largest = 180 - degrees_of_atan(1 / 1.5) - smallest;
    const std::string expected =
        "mesh quality: fan.DAT\n"
        "nodes: 5\n"
        "elements: 4\n"
        "smallest angle: " +
        fixed(smallest) + "\nlargest angle: " + fixed(largest) +
        "\n"
        "elements with smallest angle 0-10: 0\n"
        "elements with smallest angle 10-20: 0\n"
        "elements with smallest angle 20-30: 2\n"
        "elements with smallest angle 30-40: 1\n"
        "elements with smallest angle 40-50: 0\n"
        "elements with smallest angle 50-60: 1\n"
        // Element 2, B C M, in element order C M B.
        "worst element: 2 (nodes 3 5 2)\n"
        "shortest edge: " +
        fixed(std::sqrt(1 + 1.5 * 1.5)) +
        "\n"
        "longest edge: 4.000000\n"
        "area ratio: 1.000000\n"
        "outline segments not element edges: 0\n"
        "elements at corners sharper than 60 degrees: 0\n"
        "smallest angle elsewhere: " +
        fixed(smallest) + "\n";
    EXPECT_EQ(format_quality(fan.stats(), "fan.DAT"), expected);
}

TEST(QualityStats, AreaRatioCountsHolesAndIslands) {
    const Fan partial(false);  // D A M, 6 of the 16, left out
    EXPECT_NEAR(partial.stats().element_area / partial.stats().figure_area, 10.0 / 16, 1e-12);

    // The ring covers 16 - 4, the island's element its 0.5.
    testing::RingWithIsland ring;
    const QualityStats stats =
        measure_quality(collect_finished_mesh(*ring.t.mesh, *ring.t.input, ring.LAST_CONTOUR_NODE));
    EXPECT_EQ(stats.figure_area, 12.5);
    EXPECT_EQ(stats.element_area, 12.5);
    // Six elements of 18.4 degrees, three of 45, the island's 53.1.
    EXPECT_EQ(stats.smallest_angle_bins, (std::array<int, 6>{0, 6, 0, 0, 3, 1}));
}

TEST(QualityStats, MeshWithoutElements) {
    testing::TestMesh t(0, 0, 399.0 / 4);
    t.node(0, 0), t.node(4, 0), t.node(2, 3);
    t.figure({{0, 0}, {4, 0}, {2, 3}});
    const std::string text =
        format_quality(measure_quality(collect_finished_mesh(*t.mesh, *t.input, 6)), "x");
    EXPECT_NE(text.find("elements: 0\nsmallest angle: -\nlargest angle: -\n"), std::string::npos) << text;
    EXPECT_NE(text.find("worst element: -\nshortest edge: -\nlongest edge: -\narea ratio: 0.000000\n"),
              std::string::npos)
        << text;
}

}  // namespace
}  // namespace tesu
