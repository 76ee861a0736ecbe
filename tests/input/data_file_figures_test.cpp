#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <optional>
#include <vector>

#include "engine/error.h"
#include "input/data_file.h"

namespace tesu {
namespace {

struct FiguresTest : ::testing::Test {
    void set_outline(std::initializer_list<Point> points) {
        input.outline_point_count = 0;
        for (const Point& p : points) input.outline_xy[input.outline_point_count++] = p;
        scan_figures(input);
    }
    // False when the check refuses the outline, the refusal then kept.
    bool duplicates_pass(InputTables& checked) {
        refusal.reset();
        try {
            check_duplicates(checked);
            return true;
        } catch (const Error& error) {
            refusal = error;
            return false;
        }
    }
    std::vector<int> figure_ends() const {
        return {input.figure_end.data(), input.figure_end.data() + input.figure_count};
    }

    InputTables input;
    std::optional<Error> refusal;
};

TEST_F(FiguresTest, ASquareIsOneFigureWithOneRepeatedPoint) {
    set_outline({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
    EXPECT_EQ(figure_ends(), std::vector<int>{4});
    EXPECT_TRUE(duplicates_pass(input));
}

TEST_F(FiguresTest, RefusesTwoSquaresSharingACorner) {
    // (1, 1) is the first point of neither square.
    set_outline({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}, {2, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 2}});
    EXPECT_EQ(figure_ends(), (std::vector<int>{4, 9}));
    ASSERT_FALSE(duplicates_pass(input));
    EXPECT_EQ(input.figure_count, 0);
    EXPECT_EQ(refusal->cause(), ErrorCause::read);
    EXPECT_EQ(refusal->caption(), "元データに重複があります");
    EXPECT_EQ(refusal->text(),
              "閉じた図形の数=2, に対して同じ座標の数=3\n\n同じ座標が重複して含まれています。\n"
              "データの再チェックをお願いします。");
}

TEST_F(FiguresTest, CountsEveryPairOfEqualPointsBeyondTheRangeOfInt) {
    // One figure whose 99,998 inner rows are one point: with the closing row,
    // 1 + 99,998 * 99,997 / 2 pairs.
    input.outline_point_count = 0;
    input.outline_xy[input.outline_point_count++] = {0, 0};
    for (int i = 0; i < 99'998; ++i) input.outline_xy[input.outline_point_count++] = {1, 2};
    input.outline_xy[input.outline_point_count++] = {0, 0};
    scan_figures(input);
    EXPECT_EQ(figure_ends(), std::vector<int>{99'999});
    ASSERT_FALSE(duplicates_pass(input));
    EXPECT_THAT(refusal->text(),
                ::testing::StartsWith("閉じた図形の数=1, に対して同じ座標の数=4999750004\n"));
}

TEST_F(FiguresTest, PointsAfterTheLastClosingRowFormNoFigure) {
    set_outline({{0, 0}, {1, 0}, {0, 1}, {0, 0}, {5, 5}, {6, 5}, {6, 6}});
    EXPECT_EQ(figure_ends(), std::vector<int>{3});
    EXPECT_TRUE(duplicates_pass(input));

    // They still take part in the duplicate count.
    set_outline({{0, 0}, {1, 0}, {0, 1}, {0, 0}, {5, 5}, {1, 0}});
    ASSERT_FALSE(duplicates_pass(input));
    EXPECT_THAT(refusal->text(), ::testing::StartsWith("閉じた図形の数=1, に対して同じ座標の数=2\n"));
}

TEST_F(FiguresTest, TheRowAfterAClosingRowStartsTheNextFigure) {
    // Row 4 repeats row 3 but starts a figure, closed at row 7.
    set_outline({{0, 0}, {1, 0}, {0, 1}, {0, 0}, {0, 0}, {2, 0}, {0, 2}, {0, 0}});
    EXPECT_EQ(figure_ends(), (std::vector<int>{3, 7}));
    // A point written twice is a figure of two rows.
    set_outline({{3, 3}, {3, 3}, {4, 4}, {4, 4}});
    EXPECT_EQ(figure_ends(), (std::vector<int>{1, 3}));
    set_outline({{3, 3}});
    EXPECT_EQ(input.figure_count, 0);
}

TEST_F(FiguresTest, ComparesPointsExactly) {
    const double next_to_one = std::nextafter(1.0, 2.0);
    set_outline({{1, 0}, {1, 1}, {0, 1}, {next_to_one, 0}});
    EXPECT_EQ(input.figure_count, 0);
    EXPECT_TRUE(duplicates_pass(input));
    set_outline({{0, 0}, {1, 1}, {0, 1}, {-0.0, 0}});
    EXPECT_EQ(figure_ends(), std::vector<int>{3});
    EXPECT_TRUE(duplicates_pass(input));
}

}  // namespace
}  // namespace tesu
