#include "output/distortion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

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
    for (const int step : {0, 1, 2, 3}) {
        std::string text;
        TextSink out([&](std::string_view block) {
            text += block;
            return true;
        });
        write_distortion_section(out, bins, step, 31);
        ASSERT_TRUE(out.finish());

        std::string expected = step == 0 ? "" : "\n三角形のひずみデータを出力します。\n";
        for (int low = 0; step != 0 && low < 60; low += step) {
            int sum = 0;
            for (int b = low; b < low + step; ++b) sum += bins[static_cast<std::size_t>(b)];
            char line[40];
            std::snprintf(line, sizeof line, "[%d] = %d\n", low, sum);
            expected += line;
        }
        if (step != 0) expected += "合計（要素の数）=31\n";
        EXPECT_EQ(text, testing::result_text(expected)) << step;
        if (step == 0) continue;
        // Independently of the loop above: 60, 30 or 20 lines, first bins summed.
        std::size_t lines = 0;
        for (std::size_t at = text.find("] = "); at != std::string::npos; at = text.find("] = ", at + 1))
            ++lines;
        EXPECT_EQ(lines, 60u / static_cast<unsigned>(step));
        const char* first_lines[] = {"", "[0] = 1\r\n[1] = 2\r\n", "[0] = 3\r\n[2] = 4\r\n",
                                     "[0] = 7\r\n[3] = 0\r\n"};
        EXPECT_NE(text.find(first_lines[step]), std::string::npos);
    }
}

}  // namespace
}  // namespace tesu
