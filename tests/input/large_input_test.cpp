// A data file with every table full, taken from the reader to the division
// nodes: each stage must stay near linear in the rows, and the indexes must
// still answer as the plain loops do.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <random>
#include <string>

#include "data_file_fixture.h"
#include "density_reference.h"
#include "input/inside_test.h"
#include "input/node_generation.h"
#include "inside_reference.h"
#include "node_test_support.h"

namespace tesu {
namespace {

// A circle of 99,999 vertices and its closing row, 100,000 refinements and
// 100,000 division points inside the circle, in file units.
std::string full_data_file() {
    std::string data;
    char line[96];
    const auto add = [&](const char* format, auto... values) {
        std::snprintf(line, sizeof line, format, values...);
        data += line;
    };
    for (int i = 0; i <= 99'999; ++i) {
        const double angle = 2 * std::numbers::pi * (i % 99'999) / 99'999;
        add("%.6f %.6f\n", 1000 * std::cos(angle), 1000 * std::sin(angle));
    }
    data += "b = 20\n";
    std::mt19937 random(21);
    std::uniform_real_distribution<double> place(-700, 700);
    std::uniform_real_distribution<double> radius(2, 10);
    std::uniform_real_distribution<double> reach(5, 40);
    for (int k = 0; k < 100'000; ++k)
        add("%.4f %.4f %.3f %.3f\n", place(random), place(random), radius(random), reach(random));
    data += "s = 2\n";
    for (int i = 0; i < 100'000; ++i) add("%d %d\n", -500 + 4 * (i % 250), -800 + 4 * (i / 250));
    return data;
}

TEST_F(DataFileTest, FullTablesOfEveryKindAreReadIndexedAndPlaced) {
    ASSERT_TRUE(read(full_data_file()));
    EXPECT_EQ(input->outline_point_count, 100'000);
    EXPECT_EQ(input->density_spec_count, 100'000);
    EXPECT_EQ(input->division_node_count, 100'000);
    scan_figures(*input);
    EXPECT_EQ(input->figure_count, 1);
    ASSERT_NO_THROW(check_duplicates(*input));
    normalise_input(*input);

    std::mt19937 random(22);
    std::uniform_real_distribution<double> place(-10, 410);
    for (int i = 0; i < 300; ++i) {
        const double x = place(random);
        const double y = place(random);
        EXPECT_EQ(inside_figures(*input, x, y), testing::reference_inside(*input, x, y)) << x << ", " << y;
        EXPECT_EQ(local_density(*input, x, y), testing::reference_density(*input, x, y)) << x << ", " << y;
    }

    // Every edge is shorter than the spacing, so the outline nodes are its
    // vertices; no division point lies on one of them or on another.
    auto mesh = std::make_unique<MeshTables>();
    const int last_contour_node = place_contour_nodes(*mesh, *input);
    EXPECT_EQ(last_contour_node, 3 + 99'999);
    EXPECT_EQ(place_division_nodes(*mesh, *input, last_contour_node), 3 + 99'999 + 100'000);
}

}  // namespace
}  // namespace tesu
