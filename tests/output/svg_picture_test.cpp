#include "output/svg_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <utility>

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
    ASSERT_TRUE(
        write_svg_picture(folder.file("mesh.svg"), collect_finished_mesh(*t.mesh, *t.input, t.mesh->number)));
    const std::string svg = testing::read_bytes(folder.file("mesh.svg"));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_EQ(occurrences(svg, "<polyline"), 1u);
    EXPECT_EQ(occurrences(svg, "Z"), 2u);  // one closed path per element
    // The nodes span x 100 to 120 and y 200 to 210; y is negated, 5 % margin.
    EXPECT_NE(svg.find("viewBox=\"99 -211 22 12\""), std::string::npos);
    EXPECT_NE(svg.find("M100,-200L110,-210L100,-210Z"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);

    EXPECT_FALSE(write_svg_picture(folder.file("missing/mesh.svg"),
                                   collect_finished_mesh(*t.mesh, *t.input, t.mesh->number)));
}

// The value of attribute `name` in the root element, empty when missing.
std::string root_attribute(const std::string& svg, const std::string& name) {
    const std::size_t start = svg.find("<svg ");
    const std::size_t end = svg.find('>', start);
    if (start == std::string::npos || end == std::string::npos) return {};
    const std::string root = svg.substr(start, end - start);
    const std::size_t at = root.find(" " + name + "=\"");
    if (at == std::string::npos) return {};
    const std::size_t value = at + name.size() + 3;
    return root.substr(value, root.find('"', value) - value);
}

TEST(SvgPicture, RootElementGivesWidthAndHeightInTheProportionsOfTheViewBox) {
    // A wide and a tall rectangle, without elements.
    for (const auto& [w, h] : {std::pair{30.0, 10.0}, std::pair{4.0, 50.0}}) {
        testing::TestMesh t(0, 0, 1);
        t.figure({{0, 0}, {w, 0}, {w, h}, {0, h}});
        testing::TempFolder folder;
        ASSERT_TRUE(write_svg_picture(folder.file("mesh.svg"),
                                      collect_finished_mesh(*t.mesh, *t.input, t.mesh->number)));
        const std::string svg = testing::read_bytes(folder.file("mesh.svg"));

        const std::string width = root_attribute(svg, "width");
        const std::string height = root_attribute(svg, "height");
        std::istringstream view_box(root_attribute(svg, "viewBox"));
        view_box.imbue(std::locale::classic());
        double x = 0, y = 0, box_width = 0, box_height = 0;
        ASSERT_TRUE(view_box >> x >> y >> box_width >> box_height) << svg.substr(0, 200);
        EXPECT_EQ(width, "800");
        ASSERT_FALSE(height.empty()) << svg.substr(0, 200);
        // Plain digits and a decimal point: no exponent, no locale's comma.
        EXPECT_EQ(height.find_first_not_of("0123456789."), std::string::npos) << height;
        EXPECT_NEAR(std::stod(height), 800 * box_height / box_width, 1e-9) << w << " by " << h;
        EXPECT_NEAR(box_height / box_width, (h + 0.1 * std::max(w, h)) / (w + 0.1 * std::max(w, h)), 1e-12);
    }
}

}  // namespace
}  // namespace tesu
