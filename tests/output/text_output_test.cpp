#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "output/cp932_labels.h"
#include "output/text_sink.h"
#include "test_support.h"

namespace tesu {
namespace {

using testing::result_text;

// The sink's text, handed on in blocks of at most 400 bytes.
template <typename Write>
std::string sink_text(Write write) {
    std::string text;
    TextSink sink(
        [&](std::string_view block) {
            EXPECT_LE(block.size(), 400u);
            text += block;
            return true;
        },
        400);
    write(sink);
    EXPECT_TRUE(sink.finish());
    return text;
}

TEST(TextSink, NumberFormats) {
    EXPECT_EQ(sink_text([](TextSink& out) {
                  out.fixed6(-1.5);
                  out.fixed6(1.0000006);
                  out.fixed6(-0.0000001);
                  out.integer_width4(7);
                  out.integer_width4(12345);
                  out.integer(-2147483647 - 1);
                  out.line_end();
              }),
              "-1.5000001.000001-0.000000   712345-2147483648\r\n");
}

TEST(TextSink, FixedMatchesPrintfAcrossBlocks) {
    std::mt19937_64 random(7);
    std::vector<double> values;
    for (int i = 0; i < 20000; ++i)
        values.push_back(std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random), i % 60 - 15));
    std::string expected;
    for (const double v : values) {
        char text[400];
        std::snprintf(text, sizeof text, "%f ", v);
        expected += text;
    }
    EXPECT_EQ(sink_text([&](TextSink& out) {
                  for (const double v : values) {
                      out.fixed6(v);
                      out.text(" ");
                  }
              }),
              expected);
}

TEST(Cp932Labels, MatchTheSystemEncoder) {
    EXPECT_EQ(cp932::TITLE, result_text("－－－　ノードデータ、要素データ、境界データを出力　－－－"));
    EXPECT_EQ(cp932::TITLE.substr(0, 2), "\x81\x7c");  // the Windows code for the full-width hyphen
    EXPECT_EQ(cp932::NODE_COUNT, result_text(" = ノード数"));
    EXPECT_EQ(cp932::COLUMN_HEADS, result_text("番号 x y"));
    EXPECT_EQ(cp932::ELEMENT_COUNT, result_text(" = 要素数"));
    EXPECT_EQ(cp932::OUTLINE_POINTS, result_text("－　輪郭指定点の出力　－"));
    EXPECT_EQ(cp932::OUTLINE_NODES, result_text("輪郭線上のデータを出力"));
    EXPECT_EQ(cp932::OUTLINE_NODE_COUNT, result_text(" = 境界線上のデータ数"));
    EXPECT_EQ(cp932::DIVISION_POINTS, result_text("－　分割指定点の出力　－"));
    EXPECT_EQ(cp932::END_OF_DATA, result_text("データ出力終了"));
    EXPECT_EQ(cp932::DISTORTION_HEADING, result_text("三角形のひずみデータを出力します。"));
    EXPECT_EQ(cp932::DISTORTION_TOTAL, result_text("合計（要素の数）="));
}

}  // namespace
}  // namespace tesu
