#include "output/distortion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "test_support.h"

namespace tesu {
namespace {

// The one counter that a triangle, given in file units, is counted in.
int counter_of(Point a, Point b, Point c) {
    const testing::TestMesh t(0, 0, 10);
    DistortionBins bins{};
    add_distortion(bins, smallest_angle(t.drawing(a.x, a.y), t.drawing(b.x, b.y), t.drawing(c.x, c.y)));
    int counted = 0;
    for (const int n : bins) counted += n;
    EXPECT_EQ(counted, 1);
    for (int b = 0; b < 60; ++b) {
        if (bins[static_cast<std::size_t>(b)] == 1) return b;
    }
    return -1;
}

TEST(Distortion, CounterOfTheSmallestAngle) {
    EXPECT_EQ(counter_of({0, 0}, {4, 0}, {0, 3}), 36);  // 36.87 degrees at (4, 0)
    EXPECT_EQ(counter_of({0, 3}, {4, 0}, {0, 0}), 36);
    EXPECT_EQ(counter_of({0, 0}, {2, 0}, {1, std::sqrt(3.0)}), 59);
    EXPECT_EQ(counter_of({1, std::sqrt(3.0)}, {0, 0}, {2, 0}), 59);
    // Two nodes at one place, all at one place, three in a row.
    EXPECT_EQ(counter_of({0, 0}, {0, 0}, {1, 1}), 0);
    EXPECT_EQ(counter_of({2, 2}, {2, 2}, {2, 2}), 0);
    EXPECT_EQ(counter_of({0, 0}, {1, 0}, {2, 0}), 0);
    // R lies on PQ up to rounding: the cosine at P comes out as 1 + 2.2e-16.
    const double thin =
        smallest_angle({35.781277457861812, 222.47155964895197}, {315.86078780259345, 88.653469597358523},
                       {153.04175415746741, 166.44613668542686});
    EXPECT_TRUE(thin >= 0 && thin < 1e-6) << thin;
}

TEST(Distortion, SectionLinesForEachWidth) {
    DistortionBins bins{};
    bins[0] = 1, bins[1] = 2, bins[2] = 4, bins[36] = 8, bins[59] = 16;
    const auto section = [&bins](int step) {
        std::string text;
        TextSink out([&](std::string_view block) {
            text += block;
            return true;
        });
        write_distortion_section(out, bins, step, 31);
        EXPECT_TRUE(out.finish());
        return text;
    };
    const std::string head = "\n三角形のひずみデータを出力します。\n";
    const std::string total = "合計（要素の数）=31\n";
    EXPECT_EQ(section(0), "");
    EXPECT_EQ(section(1),
              testing::result_text(head +
                                   "[0] = 1\n[1] = 2\n[2] = 4\n[3] = 0\n[4] = 0\n[5] = 0\n"
                                   "[6] = 0\n[7] = 0\n[8] = 0\n[9] = 0\n[10] = 0\n[11] = 0\n"
                                   "[12] = 0\n[13] = 0\n[14] = 0\n[15] = 0\n[16] = 0\n[17] = 0\n"
                                   "[18] = 0\n[19] = 0\n[20] = 0\n[21] = 0\n[22] = 0\n[23] = 0\n"
                                   "[24] = 0\n[25] = 0\n[26] = 0\n[27] = 0\n[28] = 0\n[29] = 0\n"
                                   "[30] = 0\n[31] = 0\n[32] = 0\n[33] = 0\n[34] = 0\n[35] = 0\n"
                                   "[36] = 8\n[37] = 0\n[38] = 0\n[39] = 0\n[40] = 0\n[41] = 0\n"
                                   "[42] = 0\n[43] = 0\n[44] = 0\n[45] = 0\n[46] = 0\n[47] = 0\n"
                                   "[48] = 0\n[49] = 0\n[50] = 0\n[51] = 0\n[52] = 0\n[53] = 0\n"
                                   "[54] = 0\n[55] = 0\n[56] = 0\n[57] = 0\n[58] = 0\n[59] = 16\n" +
                                   total));
    EXPECT_EQ(section(2),
              testing::result_text(head +
                                   "[0] = 3\n[2] = 4\n[4] = 0\n[6] = 0\n[8] = 0\n[10] = 0\n"
                                   "[12] = 0\n[14] = 0\n[16] = 0\n[18] = 0\n[20] = 0\n[22] = 0\n"
                                   "[24] = 0\n[26] = 0\n[28] = 0\n[30] = 0\n[32] = 0\n[34] = 0\n"
                                   "[36] = 8\n[38] = 0\n[40] = 0\n[42] = 0\n[44] = 0\n[46] = 0\n"
                                   "[48] = 0\n[50] = 0\n[52] = 0\n[54] = 0\n[56] = 0\n[58] = 16\n" +
                                   total));
    EXPECT_EQ(section(3), testing::result_text(head +
                                               "[0] = 7\n[3] = 0\n[6] = 0\n[9] = 0\n[12] = 0\n"
                                               "[15] = 0\n[18] = 0\n[21] = 0\n[24] = 0\n[27] = 0\n"
                                               "[30] = 0\n[33] = 0\n[36] = 8\n[39] = 0\n[42] = 0\n"
                                               "[45] = 0\n[48] = 0\n[51] = 0\n[54] = 0\n[57] = 16\n" +
                                               total));
}

}  // namespace
}  // namespace tesu
