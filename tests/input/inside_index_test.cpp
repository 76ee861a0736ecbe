// The indexed inside test against the plain loop over every edge: the same
// answer for every point, on points chosen to sit where the rules change.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "input/inside_test.h"
#include "inside_reference.h"
#include "node_test_support.h"

namespace tesu {
namespace {

using testing::add_figure;
using testing::circle;
using testing::random_polygon;
using testing::rectangle;
using testing::reference_inside;

// Points on and around every vertex and edge (or every edge_step-th one):
// exactly on them, just off them by about the tolerance, on the vertical
// lines through vertices (rays through vertices), and spread at random and
// on a lattice.
std::vector<Point> probe_points(const InputTables& input, std::mt19937& random, int edge_step) {
    std::vector<Point> points;
    // An empty outline is probed round the square of drawing units.
    double left = input.outline_point_count == 0 ? 0 : 1e30;
    double right = input.outline_point_count == 0 ? 399 : -1e30;
    double top = left;
    double bottom = right;
    for (int i = 0; i < input.outline_point_count; ++i) {
        const Point& p = input.outline_xy[i];
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const double margin = 0.05 * (right - left + bottom - top) + 1;
    std::uniform_real_distribution<double> across(left - margin, right + margin);
    std::uniform_real_distribution<double> down(top - margin, bottom + margin);
    for (int i = 0; i < 3000; ++i) points.push_back({across(random), down(random)});
    for (int i = 0; i <= 40; ++i) {
        for (int j = 0; j <= 40; ++j) {
            points.push_back({left + (right - left) * i / 40, top + (bottom - top) * j / 40});
        }
    }

    const double offsets[] = {0,    1e-12, 1e-9,      5e-8,      9.99999e-8, 1e-7, 1.00001e-7, 2e-7,
                              1e-6, 2e-4,  3.1622e-4, 3.1623e-4, 3.2e-4,     1e-3, 0.5};
    for (int f = 0; f < input.figure_count; ++f) {
        for (int j = figure_start(input, f); j < input.figure_end[f]; j += edge_step) {
            const Point a = input.outline_xy[j];
            const Point b = input.outline_xy[j + 1];
            const double length = std::hypot(b.x - a.x, b.y - a.y);
            const double nx = length > 0 ? -(b.y - a.y) / length : 0;
            const double ny = length > 0 ? (b.x - a.x) / length : 0;
            points.push_back(a);
            points.push_back({(a.x + b.x) / 2, (a.y + b.y) / 2});
            for (const double offset : offsets) {
                // Off the inside of the edge by offset, and by offset times
                // its length; off the vertex by offset in each direction.
                for (const double side : {-1.0, 1.0}) {
                    const double t = std::uniform_real_distribution<double>(0.01, 0.99)(random);
                    const Point on{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
                    points.push_back({on.x + side * offset * nx, on.y + side * offset * ny});
                    points.push_back(
                        {on.x + side * offset * length * nx, on.y + side * offset * length * ny});
                    points.push_back({a.x + side * offset, a.y});
                    points.push_back({a.x, a.y + side * offset});
                    points.push_back({a.x + side * offset * 0.7071, a.y + side * offset * 0.7071});
                }
            }
            // Rays through the vertex from below and above, and along the
            // edge's own vertical line.
            for (const double dy : {-50.0, -1.0, 1.0, 50.0}) points.push_back({a.x, a.y + dy});
            points.push_back({std::nextafter(a.x, 1e30), a.y + 5});
            points.push_back({std::nextafter(a.x, -1e30), a.y + 5});
        }
    }
    return points;
}

void expect_same_as_reference(InputTables input, unsigned seed, int edge_step = 1) {
    std::mt19937 random(seed);
    const std::vector<Point> points = probe_points(input, random, edge_step);
    InputTables indexed = input;
    indexed.outline_index.build(indexed);
    ASSERT_TRUE(indexed.outline_index.ready());
    int differences = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& p = points[i];
        const int expected = reference_inside(input, p.x, p.y);
        // The scan without index on a sample only: it is as slow as the
        // reference.
        const bool differs = inside_figures(indexed, p.x, p.y) != expected ||
                             (i % 10 == 0 && inside_figures(input, p.x, p.y) != expected);
        if (differs && ++differences <= 5) ADD_FAILURE() << "differs at (" << p.x << ", " << p.y << ")";
    }
    EXPECT_EQ(differences, 0) << "of " << points.size() << " points";
}

TEST(InsideIndex, MatchesPlainLoopOnSquaresWithHoles) {
    InputTables input;
    add_figure(input, rectangle(0, 0, 399, 399));
    add_figure(input, rectangle(50, 50, 150, 150));
    add_figure(input, rectangle(200, 40, 350, 120));
    add_figure(input, rectangle(100, 200, 300, 380));
    add_figure(input, rectangle(150, 250, 250, 330));  // an island in a hole
    expect_same_as_reference(input, 1);
}

TEST(InsideIndex, MatchesPlainLoopOnCircles) {
    InputTables input;
    add_figure(input, circle(200, 200, 199.5, 1000));
    expect_same_as_reference(input, 2);
    add_figure(input, circle(200, 200, 80, 3));
    expect_same_as_reference(input, 3);
}

TEST(InsideIndex, MatchesPlainLoopOnRandomPolygons) {
    std::mt19937 random(4);
    for (int round = 0; round < 10; ++round) {
        InputTables input;
        add_figure(input, random_polygon(random, 200, 200, 199, 60 + 20 * round));
        add_figure(input, random_polygon(random, 150, 220, 60, 30));  // crosses the first one
        expect_same_as_reference(input, 10 + round);
    }
}

TEST(InsideIndex, MatchesPlainLoopOnStaircasesWithVerticalRuns) {
    // Vertical runs and vertices on shared vertical lines, with vertices on
    // integer coordinates so that probes hit them exactly.
    InputTables input;
    std::vector<Point> stairs;
    for (int i = 0; i < 20; ++i) {
        stairs.push_back({20.0 * i, 20.0 * i});
        stairs.push_back({20.0 * i, 20.0 * i + 20});
    }
    stairs.push_back({400, 400});
    stairs.push_back({0, 400});
    add_figure(input, stairs);
    add_figure(input, {{100, 300}, {100, 250}, {100, 200}, {140, 260}, {140, 320}});
    add_figure(input, {{300, 200}, {300, 200.5}});  // a sliver along one vertical line
    expect_same_as_reference(input, 5);
}

TEST(InsideIndex, MatchesPlainLoopWhereTheToleranceGrowsWithTheEdge) {
    // In file units: long edges, where the on-edge measure allows a
    // distance of 1e-7 times the length.
    InputTables input;
    add_figure(input, {{0, 0}, {250000, 30000}, {240000, 200000}, {-10000, 180000}});
    add_figure(input, circle(100000, 100000, 30000, 50));
    expect_same_as_reference(input, 6);
}

// Edges sorted into columns of one unit (figures spread over as many units
// as they have edges), with each triangle's extreme X just inside the
// on-outline tolerance from a column border.
InputTables triangles_against_column_borders(double height, double inset) {
    InputTables input;
    const int triangles = 50;
    const double width = 3 * triangles + 6;
    add_figure(input, {{0, 0}, {0.1, 0}, {0.05, 0.1}});  // fix the ends of the columns
    add_figure(input, {{width - 0.1, 0}, {width, 0}, {width - 0.05, 0.1}});
    for (int m = 0; m < triangles; ++m) {
        const double left = 1 + 3 * m;
        add_figure(input, {{left + inset, 0}, {left + inset + 1e-6, height}, {left + 1 - inset, height / 2}});
    }
    return input;
}

TEST(InsideIndex, MatchesPlainLoopWhereColumnBordersSplitTheTolerance) {
    // Near a vertex: within 3.16e-4. Beside a long, nearly vertical edge:
    // within 1e-7 times its length, 1e-3 here.
    expect_same_as_reference(triangles_against_column_borders(2, 2.5e-4), 9);
    expect_same_as_reference(triangles_against_column_borders(1e4, 7e-4), 10);
}

TEST(InsideIndex, MatchesPlainLoopWhenLongEdgesCoarsenTheColumns) {
    // A comb of 1,100 teeth, each edge across the whole width: one column
    // per edge would list every edge in every column, so the columns are
    // halved until their lists are short enough. Probed around every tenth
    // edge, since each probe meets every edge.
    std::vector<Point> comb;
    for (int k = 0; k < 550; ++k) {
        comb.push_back({0, 2.0 * k});
        comb.push_back({399, 2.0 * k + 1});
    }
    comb.push_back({0, 1100});
    comb.push_back({-10, 1100});
    comb.push_back({-10, 0});
    InputTables input;
    add_figure(input, comb);
    expect_same_as_reference(input, 11, 10);
}

TEST(InsideIndex, MatchesPlainLoopOnDegenerateFigures) {
    InputTables input;
    add_figure(input, {{10, 10}});                                          // one point and its repetition
    add_figure(input, {{30, 10}, {30, 60}, {30, 90}});                      // all on one vertical line
    add_figure(input, {{50, 10}, {90, 10}, {70, 10}});                      // all on one horizontal line
    add_figure(input, {{100, 100}, {200, 100}, {100, 100.5}, {200, 101}});  // self-crossing
    expect_same_as_reference(input, 7);
    InputTables empty;
    expect_same_as_reference(empty, 8);
}

TEST(InsideIndex, NanCoordinateGivesTheSameAnswerAsThePlainLoop) {
    InputTables input;
    add_figure(input, rectangle(0, 0, 100, 100));
    add_figure(input, {{20, 20}, {30, 20}, {25, 30}});
    add_figure(input, {{60, 20}, {70, 20}, {65, 30}});
    InputTables indexed = input;
    indexed.outline_index.build(indexed);
    const double nan = std::nan("");
    for (const Point p : {Point{nan, 50}, Point{50, nan}, Point{nan, nan}}) {
        EXPECT_EQ(inside_figures(indexed, p.x, p.y), reference_inside(input, p.x, p.y));
    }
}

}  // namespace
}  // namespace tesu
