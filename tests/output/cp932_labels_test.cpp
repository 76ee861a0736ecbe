#include "output/cp932_labels.h"

#include <gtest/gtest.h>

#include "cp932_text.h"

namespace tesu {
namespace {

using testing::to_cp932;

TEST(Cp932Labels, MatchTheSystemEncoder) {
    EXPECT_EQ(cp932::TITLE, to_cp932("－－－　ノードデータ、要素データ、境界データを出力　－－－"));
    EXPECT_EQ(cp932::NODE_COUNT, to_cp932(" = ノード数"));
    EXPECT_EQ(cp932::COLUMN_HEADS, to_cp932("番号 x y"));
    EXPECT_EQ(cp932::ELEMENT_COUNT, to_cp932(" = 要素数"));
    EXPECT_EQ(cp932::OUTLINE_POINTS, to_cp932("－　輪郭指定点の出力　－"));
    EXPECT_EQ(cp932::OUTLINE_NODES, to_cp932("輪郭線上のデータを出力"));
    EXPECT_EQ(cp932::OUTLINE_NODE_COUNT, to_cp932(" = 境界線上のデータ数"));
    EXPECT_EQ(cp932::DIVISION_POINTS, to_cp932("－　分割指定点の出力　－"));
    EXPECT_EQ(cp932::END_OF_DATA, to_cp932("データ出力終了"));
    EXPECT_EQ(cp932::DISTORTION_HEADING, to_cp932("三角形のひずみデータを出力します。"));
    EXPECT_EQ(cp932::DISTORTION_TOTAL, to_cp932("合計（要素の数）="));
}

TEST(Cp932Labels, FullWidthHyphenIsTheWindowsCode) {
    // Plain Shift_JIS tables give this character no code at all; Windows
    // writes it as 81 7C.
    EXPECT_EQ(cp932::OUTLINE_POINTS.substr(0, 2), "\x81\x7c");
}

}  // namespace
}  // namespace tesu
