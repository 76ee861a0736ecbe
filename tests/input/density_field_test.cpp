// The wanted spacing: what the refinements do to it, and the indexed
// look-up against the plain pass over every refinement.
#include "input/density_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "density_reference.h"
#include "node_test_support.h"

namespace tesu {
namespace {

using testing::add_density_row;
using testing::add_figure;
using testing::circle;
using testing::rectangle;
using testing::reference_density;

class LocalDensity : public ::testing::TestWithParam<bool> {
protected:
    LocalDensity() {
        add_figure(input_, rectangle(0, 0, 399, 399));
        input_.basic_density = 10;
    }

    double density(double x, double y) {
        if (GetParam() && !input_.density_index.ready()) input_.density_index.build(input_);
        return local_density(input_, x, y);
    }

    InputTables input_;
};

TEST_P(LocalDensity, WithoutRefinementsIsTheBasicDensity) {
    EXPECT_EQ(density(0, 0), 10);
    EXPECT_EQ(density(1000, -1000), 10);
}

TEST_P(LocalDensity, GrowsLinearlyFromRadiusToBasicDensityOverTheReach) {
    add_density_row(input_, 100, 100, 2, 40);
    EXPECT_EQ(density(100, 100), 2);
    EXPECT_DOUBLE_EQ(density(120, 100), 6);  // half the reach: the mean
    EXPECT_DOUBLE_EQ(density(100, 130), 8);
    EXPECT_DOUBLE_EQ(density(100, 140), 10);
    EXPECT_EQ(density(141, 100), 10);
    EXPECT_EQ(density(300, 300), 10);
}

TEST_P(LocalDensity, SmallestOfOverlappingRefinementsWins) {
    add_density_row(input_, 100, 100, 2, 40);
    add_density_row(input_, 120, 100, 5, 10);
    EXPECT_DOUBLE_EQ(density(120, 100), 5);  // second: 5, first: 6
    EXPECT_DOUBLE_EQ(density(110, 100), 4);  // first: 4, second: at its reach, 10
}

TEST_P(LocalDensity, ZeroReachHasNoEffect) {
    add_density_row(input_, 100, 100, 2, 0);
    EXPECT_EQ(density(100, 100), 10);
    EXPECT_EQ(density(100.5, 100), 10);
}

TEST_P(LocalDensity, RadiusNotBelowTheBasicDensityHasNoEffect) {
    add_density_row(input_, 100, 100, 10, 40);
    add_density_row(input_, 200, 200, 30, 40);
    EXPECT_EQ(density(100, 100), 10);
    EXPECT_EQ(density(200, 200), 10);
    EXPECT_EQ(density(220, 200), 10);
}

INSTANTIATE_TEST_SUITE_P(IndexedAndScanned, LocalDensity, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Indexed" : "Scanned"; });

// Random refinements over a circle of 1,000 points, with degenerate ones
// mixed in.
InputTables refined_circle(std::mt19937& random, int refinements) {
    InputTables input;
    add_figure(input, circle(200, 200, 199.5, 1000));
    input.basic_density = 8;
    std::uniform_real_distribution<double> place(-50, 450);
    std::uniform_real_distribution<double> radius(0.1, 8);
    std::uniform_real_distribution<double> reach(1, 60);
    for (int k = 0; k < refinements; ++k)
        add_density_row(input, place(random), place(random), radius(random), reach(random));
    add_density_row(input, 200, 200, 3, 0);     // reach 0
    add_density_row(input, 210, 200, 3, -5);    // negative reach
    add_density_row(input, 220, 200, 8, 20);    // radius equal to the basic density
    add_density_row(input, 230, 200, 12, 20);   // radius above it
    add_density_row(input, 240, 200, 1, 1e6);   // reach over everything
    add_density_row(input, 250, 200, -1, 5);    // negative radius
    add_density_row(input, 5000, 5000, 1, 10);  // far beyond the figures
    return input;
}

// The indexed and the scanned spacing are the reference's to the bit, at
// random points, on a lattice, and on and around every refinement's point
// and reach.
void expect_same_as_reference(const InputTables& input, std::mt19937& random) {
    InputTables indexed = input;
    indexed.density_index.build(indexed);

    std::vector<Point> points;
    std::uniform_real_distribution<double> place(-100, 500);
    for (int i = 0; i < 20000; ++i) points.push_back({place(random), place(random)});
    for (double y = 0; y <= 399; y += 3.1) {
        for (double x = 0; x <= 399; x += 2.9) points.push_back({x, y});
    }
    for (int k = 0; k < input.density_spec_count; ++k) {
        const DensitySpec& s = input.density_spec[k];
        points.push_back({s.x, s.y});
        for (const double factor : {0.5, 1 - 1e-15, 1.0, 1 + 1e-15, 1 + 1e-9}) {
            for (const double sign : {-1.0, 1.0}) {
                points.push_back({s.x + sign * s.reach * factor, s.y});
                points.push_back({s.x, s.y + sign * s.reach * factor});
                points.push_back({s.x + sign * s.reach * factor * 0.6, s.y + sign * s.reach * factor * 0.8});
            }
        }
        points.push_back({std::nextafter(s.x + s.reach, 1e30), s.y});
        points.push_back({std::nextafter(s.x - s.reach, -1e30), s.y});
    }
    points.push_back({std::nan(""), 100});
    points.push_back({100, std::nan("")});

    int differences = 0;
    for (const Point& p : points) {
        const double expected = reference_density(input, p.x, p.y);
        const double fast = local_density(indexed, p.x, p.y);
        const double scanned = local_density(input, p.x, p.y);
        const bool same = (std::isnan(expected) && std::isnan(fast) && std::isnan(scanned)) ||
                          (std::memcmp(&expected, &fast, sizeof fast) == 0 &&
                           std::memcmp(&expected, &scanned, sizeof scanned) == 0);
        if (!same && ++differences <= 5) {
            ADD_FAILURE() << "differs at (" << p.x << ", " << p.y << "): " << expected << " against " << fast
                          << " / " << scanned;
        }
    }
    EXPECT_EQ(differences, 0) << input.density_spec_count << " refinements, " << points.size() << " points";
}

TEST(DensityIndex, MatchesPlainPassEverywhere) {
    std::mt19937 random(11);
    for (const int refinements : {0, 1, 5, 200, 1000})
        expect_same_as_reference(refined_circle(random, refinements), random);
}

TEST(DensityIndex, MatchesPlainPassWhereReachesJustCrossCellBorders) {
    // 256 refinements on a 32 by 32 square make cells of one unit; each
    // reach passes a cell border by 0.0005.
    InputTables input;
    add_figure(input, rectangle(0, 0, 32, 32));
    input.basic_density = 8;
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 16; ++j) add_density_row(input, 2 * i + 0.5, 2 * j + 0.5, 0.1, 0.5005);
    }
    std::mt19937 random(13);
    expect_same_as_reference(input, random);
}

TEST(DensityIndex, MatchesPlainPassWhenWideReachesCoarsenTheGrid) {
    // 500 refinements reaching over all the figures would fill every cell
    // of the finest grid, 50 by 50 for 607 refinements: the grid is
    // coarsened until its lists are short enough, and must still find every
    // refinement that matters.
    std::mt19937 random(14);
    InputTables input = refined_circle(random, 100);
    std::uniform_real_distribution<double> place(0, 399);
    std::uniform_real_distribution<double> radius(0.1, 8);
    for (int k = 0; k < 500; ++k) add_density_row(input, place(random), place(random), radius(random), 600);
    expect_same_as_reference(input, random);
}

}  // namespace
}  // namespace tesu
