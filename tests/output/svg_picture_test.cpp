#include "output/svg_picture.h"

#include <gtest/gtest.h>

#include "mesh_fixture.h"
#include "temp_folder.h"

namespace tesu {
namespace {

using testing::read_bytes;
using testing::TempFolder;
using testing::TestMesh;

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(SvgPicture, OutlinesAndElementsInFileUnitsWithYUp) {
    // A square of side 10 at (100, 200) in file units, cut into two elements;
    // a third triangle lies outside it.
    TestMesh t(100, 200, 39.9);
    const int a = t.node(100, 200), b = t.node(110, 200), c = t.node(110, 210), d = t.node(100, 210);
    const int outside = t.node(120, 200);
    t.figure({{100, 200}, {110, 200}, {110, 210}, {100, 210}});
    t.triangle(a, b, c);
    t.triangle(a, c, d);
    t.triangle(b, outside, c);

    TempFolder folder;
    const std::string path = folder.file("mesh.svg");
    ASSERT_TRUE(write_svg_picture(path, *t.mesh, *t.input));
    const std::string svg = read_bytes(path);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_EQ(occurrences(svg, "<polyline"), 1u);
    EXPECT_EQ(occurrences(svg, "Z"), 2u);  // one closed path per element
    // The nodes span x 100..120 and y 200..210; y is negated, with a 5 % margin.
    EXPECT_NE(svg.find("viewBox=\"99 -211 22 12\""), std::string::npos);
    EXPECT_NE(svg.find("M100,-200L110,-210L100,-210Z"), std::string::npos);
}

TEST(SvgPicture, UnwritablePathFails) {
    TestMesh t(0, 0, 1);
    TempFolder folder;
    EXPECT_FALSE(write_svg_picture(folder.file("missing/mesh.svg"), *t.mesh, *t.input));
}

}  // namespace
}  // namespace tesu
