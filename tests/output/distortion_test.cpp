#include "output/distortion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cp932_text.h"
#include "mesh_fixture.h"

namespace tesu {
namespace {

using testing::TestMesh;

// Counter that one triangle (file units) lands in.
int counter_of(Point a, Point b, Point c) {
    TestMesh t(0, 0, 10);
    const int p = t.node(a.x, a.y);
    const int q = t.node(b.x, b.y);
    const int r = t.node(c.x, c.y);
    DistortionBins bins{};
    add_element_distortion(bins, *t.mesh, p, q, r);
    int found = -1;
    for (int b = 0; b < 60; ++b) {
        if (bins[static_cast<std::size_t>(b)] == 1) found = b;
        if (bins[static_cast<std::size_t>(b)] > 1) return -2;
    }
    return found;
}

TEST(SmallestAngle, ThreeFourFiveTriangleInEveryNodeOrder) {
    const Point a{0, 0}, b{4, 0}, c{0, 3};
    EXPECT_NEAR(smallest_angle(a, b, c), 36.8698976, 1e-6);
    EXPECT_EQ(counter_of(a, b, c), 36);
    EXPECT_EQ(counter_of(b, c, a), 36);
    EXPECT_EQ(counter_of(c, b, a), 36);
}

TEST(SmallestAngle, EquilateralLandsInTheLastCounter) {
    EXPECT_EQ(counter_of({0, 0}, {2, 0}, {1, std::sqrt(3.0)}), 59);
    EXPECT_EQ(counter_of({1, std::sqrt(3.0)}, {0, 0}, {2, 0}), 59);
}

TEST(SmallestAngle, DegenerateTrianglesCountAsFlat) {
    // Two nodes at one place, all three at one place, three in a row.
    EXPECT_EQ(counter_of({0, 0}, {0, 0}, {1, 1}), 0);
    EXPECT_EQ(counter_of({1, 1}, {0, 0}, {0, 0}), 0);
    EXPECT_EQ(counter_of({2, 2}, {2, 2}, {2, 2}), 0);
    EXPECT_EQ(counter_of({0, 0}, {1, 0}, {2, 0}), 0);
    EXPECT_EQ(smallest_angle({0, 0}, {INFINITY, 0}, {0, 1}), 0);
}

TEST(SmallestAngle, CosineRoundedPastOneStaysInRange) {
    // R lies on PQ up to rounding; the cosine at P comes out as 1 + 2.2e-16.
    const Point p{35.781277457861812, 222.47155964895197};
    const Point q{315.86078780259345, 88.653469597358523};
    const Point r{153.04175415746741, 166.44613668542686};
    const double angle = smallest_angle(p, q, r);
    EXPECT_GE(angle, 0);
    EXPECT_LT(angle, 1e-6);
}

std::string section(const DistortionBins& bins, int step, int total) {
    std::string text;
    TextSink out([&](std::string_view block) {
        text += block;
        return true;
    });
    write_distortion_section(out, bins, step, total);
    EXPECT_TRUE(out.finish());
    return text;
}

TEST(DistortionSection, NothingWithoutAStep) {
    DistortionBins bins{};
    bins[10] = 4;
    EXPECT_EQ(section(bins, 0, 4), "");
}

TEST(DistortionSection, LinesPerWidthAndTheirSums) {
    DistortionBins bins{};
    bins[0] = 1;
    bins[1] = 2;
    bins[2] = 4;
    bins[36] = 8;
    bins[58] = 16;
    bins[59] = 32;
    const int total = 63;
    struct Expected {
        int step;
        int lines;
        std::string selected;  // lines that must appear
    };
    const Expected widths[] = {
        {1, 60, "[0] = 1\n[1] = 2\n[2] = 4\n[3] = 0\n"},
        {2, 30, "[0] = 3\n[2] = 4\n[4] = 0\n"},
        {3, 20, "[0] = 7\n[3] = 0\n"},
    };
    for (const Expected& w : widths) {
        SCOPED_TRACE(w.step);
        const std::string text = section(bins, w.step, total);
        const std::string head = testing::result_text("\n三角形のひずみデータを出力します。\n");
        ASSERT_EQ(text.substr(0, head.size()), head);
        EXPECT_NE(text.find(testing::result_text(w.selected)), std::string::npos);

        int lines = 0;
        int sum = 0;
        int expected_label = 0;
        // The heading's code page 932 bytes include '[' (0x5B) as a trail byte.
        for (std::size_t at = text.find('[', head.size()); at != std::string::npos;
             at = text.find('[', at + 1)) {
            int label = 0;
            int count = 0;
            ASSERT_EQ(std::sscanf(text.c_str() + at, "[%d] = %d\r\n", &label, &count), 2);
            EXPECT_EQ(label, expected_label);
            expected_label += w.step;
            sum += count;
            ++lines;
        }
        EXPECT_EQ(lines, w.lines);
        EXPECT_EQ(sum, total);
        const std::string tail = testing::result_text("合計（要素の数）=63\n");
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    }
}

TEST(DistortionSection, EmptyMeshWritesZeros) {
    const std::string text = section(DistortionBins{}, 3, 0);
    EXPECT_EQ(text.find("] = 1"), std::string::npos);
    const std::string tail = testing::result_text("[57] = 0\n合計（要素の数）=0\n");
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

}  // namespace
}  // namespace tesu
