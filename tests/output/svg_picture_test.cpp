#include "output/svg_picture.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tesu {
namespace {

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(SvgPicture, OutlinesAndElementsInFileUnitsWithYUp) {
    // A square of side 10 at (100, 200) cut into two elements; a third
    // triangle lies outside it.
    testing::TestMesh t(100, 200, 39.9);
    const int a = t.node(100, 200), b = t.node(110, 200), c = t.node(110, 210), d = t.node(100, 210);
    t.figure({{100, 200}, {110, 200}, {110, 210}, {100, 210}});
    t.triangle(a, b, c);
    t.triangle(a, c, d);
    t.triangle(b, t.node(120, 200), c);

    testing::TempFolder folder;
    ASSERT_TRUE(write_svg_picture(folder.file("mesh.svg"), *t.mesh, *t.input));
    const std::string svg = testing::read_bytes(folder.file("mesh.svg"));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_EQ(occurrences(svg, "<polyline"), 1u);
    EXPECT_EQ(occurrences(svg, "Z"), 2u);  // one closed path per element
    // The nodes span x 100 to 120 and y 200 to 210; y is negated, 5 % margin.
    EXPECT_NE(svg.find("viewBox=\"99 -211 22 12\""), std::string::npos);
    EXPECT_NE(svg.find("M100,-200L110,-210L100,-210Z"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);

    EXPECT_FALSE(write_svg_picture(folder.file("missing/mesh.svg"), *t.mesh, *t.input));
}

}  // namespace
}  // namespace tesu
