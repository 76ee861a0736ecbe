// The inside test on small figures whose answers are known, with the edge
// index built and without it.
#include <gtest/gtest.h>

#include "input/inside_test.h"
#include "node_test_support.h"

namespace tesu {
namespace {

using testing::add_figure;
using testing::rectangle;

class InsideFigures : public ::testing::TestWithParam<bool> {
protected:
    // The answer for (x, y) once every figure has been added.
    int inside(double x, double y) {
        if (GetParam() && !input_.outline_index.ready()) input_.outline_index.build(input_);
        return inside_figures(input_, x, y);
    }

    InputTables input_;
};

TEST_P(InsideFigures, SquareInsideOutsideAndOnItsOutline) {
    add_figure(input_, rectangle(0, 0, 100, 100));
    EXPECT_EQ(inside(50, 50), 1);
    EXPECT_EQ(inside(150, 50), 0);
    EXPECT_EQ(inside(50, -10), 0);
    EXPECT_EQ(inside(50, 110), 0);
    EXPECT_EQ(inside(50, 0), 1);
    EXPECT_EQ(inside(100, 100), 1);
    EXPECT_EQ(inside(0, 50), 1);  // on a vertical edge
}

TEST_P(InsideFigures, OutlineToleranceIsSmall) {
    add_figure(input_, rectangle(0, 0, 100, 100));
    EXPECT_EQ(inside(50, -1e-9), 1);
    EXPECT_EQ(inside(50, -1e-3), 0);
    EXPECT_EQ(inside(-2e-4, -2e-4), 1);  // squared distance to the corner 8e-8
    EXPECT_EQ(inside(-3e-4, -3e-4), 0);  // 1.8e-7
}

TEST_P(InsideFigures, FigureInsideAnotherIsAHole) {
    add_figure(input_, rectangle(0, 0, 100, 100));
    add_figure(input_, rectangle(40, 40, 60, 60));
    EXPECT_EQ(inside(50, 50), 0);
    EXPECT_EQ(inside(30, 50), 1);
    EXPECT_EQ(inside(40, 50), 1);
    EXPECT_EQ(inside(50, 70), 1);  // the ray meets both figures
}

TEST_P(InsideFigures, RayThroughApexCountsOnce) {
    add_figure(input_, {{20, 80}, {50, 20}, {80, 80}});
    EXPECT_EQ(inside(50, 60), 1);
    EXPECT_EQ(inside(50, 10), 0);
    EXPECT_EQ(inside(50, 90), 0);  // below the base: base and apex, two crossings
}

TEST_P(InsideFigures, VertexTouchingTheRayAndTurningBackCountsNothing) {
    // The vertex (50, 20) has both neighbours to its right; the ray from
    // (50, 60) meets it and then the top edge.
    add_figure(input_, {{0, 100}, {100, 100}, {100, 0}, {50, 20}, {80, 0}, {0, 0}});
    EXPECT_EQ(inside(50, 60), 1);
}

TEST_P(InsideFigures, VerticalRunOnTheRayCountsOnceWhenCrossedThrough) {
    // An L: the run (50, 40)-(50, 20) is entered from the right and left to
    // the left.
    add_figure(input_, {{0, 100}, {100, 100}, {100, 40}, {50, 40}, {50, 20}, {0, 20}});
    EXPECT_EQ(inside(50, 80), 1);
    EXPECT_EQ(inside(50, 10), 0);
}

TEST_P(InsideFigures, VerticalRunOnTheRayCountsNothingWhenLeftToTheSameSide) {
    // A notch: the run (50, 40)-(50, 20) is entered and left to the right.
    add_figure(input_, {{0, 100}, {100, 100}, {100, 40}, {50, 40}, {50, 20}, {100, 20}, {100, 0}, {0, 0}});
    EXPECT_EQ(inside(50, 80), 1);
    EXPECT_EQ(inside(75, 30), 0);  // in the notch
}

TEST_P(InsideFigures, RunAcrossTheClosingRowIsFollowedRoundTheFigure) {
    // The last edge ends at the closing row (50, 40), on the ray; the run
    // (50, 40)-(50, 20) that follows starts the figure.
    add_figure(input_, {{50, 40}, {50, 20}, {0, 20}, {0, 100}, {100, 100}, {100, 40}});
    EXPECT_EQ(inside(50, 80), 1);
    EXPECT_EQ(inside(50, 10), 0);
}

TEST_P(InsideFigures, NoFigureMeansOutside) {
    EXPECT_EQ(inside(0, 0), 0);
    EXPECT_EQ(inside(200, 200), 0);
}

INSTANTIATE_TEST_SUITE_P(IndexedAndScanned, InsideFigures, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Indexed" : "Scanned"; });

}  // namespace
}  // namespace tesu
