#include "output/result_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "test_support.h"

namespace tesu {
namespace {

using testing::read_bytes;
using testing::result_text;

// A square (0,0)-(8,8) with two triangular holes, shifted by (-2, 10) in
// file units: node(u, v) lies at file point (u - 2, v + 10). 49.875 = 399 / 8
// drawing units per file unit.
struct HoledSquare {
    testing::TestMesh t{-2, 10, 399.0 / 8};
    int node(double u, double v) { return t.node(u - 2, v + 10); }

    HoledSquare() {
        const int n4 = node(0, 0), n5 = node(4, 0), n6 = node(8, 0), n7 = node(8, 8), n8 = node(0, 8);
        const int n9 = node(3, 2), n10 = node(6, 2), n11 = node(6, 6);
        node(6.5, 6.5), node(7.5, 6.5), node(7.5, 7.5);
        const int n15 = node(1, 6);         // division-specified
        t.node_at_drawing({150.3, 250.7});  // interior, off the grid
        t.figure({{-2, 10}, {6, 10}, {6, 18}, {-2, 18}});
        t.figure({{1, 12}, {4, 12}, {4, 16}});
        t.figure({{4.5, 16.5}, {5.5, 16.5}, {5.5, 17.5}});
        t.division_point(-1, 16);
        t.division_point(2, 10);  // at outline node 5, passed already

        t.triangle(n4, n5, n9);                                 // element
        t.triangle(n9, n10, n11);                               // in a hole
        t.mesh->vp_ve[t.triangle(n4, n5, n8)][0] = DELETED_VP;  // deleted
        t.triangle(1, n4, n5);                                  // enclosing node
        t.triangle(n8, n15, n4);                                // element
        t.triangle(n6, n7, n10);                                // element
    }
};

struct Written {
    FinishedMesh mesh;
    bool ok;
    Written(const testing::TestMesh& t, const std::string& path, int step, int last_contour_node)
        : mesh(collect_finished_mesh(*t.mesh, *t.input, last_contour_node)),
          ok(write_result_file(mesh, path, step)) {}
};

std::string expected_file(int step) {
    char interior[80];
    std::snprintf(interior, sizeof interior, "%4d %f %f\n", 13, 150.3 / 49.875 - 2,
                  (399 - 250.7) / 49.875 + 10);
    const std::string fig0 = "   1 -2.000000 10.000000\n";
    const std::string fig0_rest =
        "   3 6.000000 10.000000\n   4 6.000000 18.000000\n   5 -2.000000 18.000000\n";
    const std::string fig1 = "   6 1.000000 12.000000\n   7 4.000000 12.000000\n   8 4.000000 16.000000\n";
    const std::string fig2 = "   9 4.500000 16.500000\n  10 5.500000 16.500000\n  11 5.500000 17.500000\n";
    const std::string node5 = "   2 2.000000 10.000000\n";
    std::string text =
        "－－－　ノードデータ、要素データ、境界データを出力　－－－\n\n13 = ノード数\n番号 x y\n" + fig0 +
        node5 + fig0_rest + fig1 + fig2 + "  12 -1.000000 16.000000\n" + interior +
        "\n3 = 要素数\n   6    1    2\n  12    5    1\n   4    7    3\n"
        "\n－　輪郭指定点の出力　－\n番号 x y\n" +
        fig0 + fig0_rest + "\n" + fig1 + "\n" + fig2 + "\n" +
        "輪郭線上のデータを出力\n11 = 境界線上のデータ数\n" + fig0 + node5 + fig0_rest + "\n" + fig1 + "\n" +
        fig2 + "\n－　分割指定点の出力　－\n番号 x y\n  12 -1.000000 16.000000\n" + node5 +
        "\nデータ出力終了\n";
    if (step == 0) return text;
    // Smallest angles: 33.7, 9.5 and 18.4 degrees.
    text += "\n三角形のひずみデータを出力します。\n";
    for (int low = 0; low < 60; low += step) {
        int count = 0;
        for (const int degrees : {33, 9, 18}) count += degrees >= low && degrees < low + step;
        char line[40];
        std::snprintf(line, sizeof line, "[%d] = %d\n", low, count);
        text += line;
    }
    return text + "合計（要素の数）=3\n";
}

TEST(ResultFile, WholeFileForEachHistogramWidth) {
    HoledSquare scene;
    testing::TempFolder folder;
    for (const int step : {0, 1, 2, 3}) {
        const Written w(scene.t, folder.file("plate.TES"), step, 14);
        ASSERT_TRUE(w.ok);
        EXPECT_EQ(w.mesh.elements.size(), 3u);
        EXPECT_EQ(read_bytes(folder.file("plate.TES")), result_text(expected_file(step))) << step;
        EXPECT_EQ(folder.entries(), std::set<std::string>{"plate.TES"});
    }
}

TEST(ResultFile, NoElementsAndNoDivisionPoints) {
    testing::TestMesh t(0, 0, 399.0 / 4);
    t.node(0, 0), t.node(4, 0), t.node(2, 3);
    t.figure({{0, 0}, {4, 0}, {2, 3}});
    testing::TempFolder folder;
    const Written w(t, folder.file("tri.TES"), 0, 6);
    const std::string file = read_bytes(folder.file("tri.TES"));
    EXPECT_TRUE(w.mesh.elements.empty());
    EXPECT_NE(file.find(result_text("\n0 = 要素数\n\n－　輪郭指定点の出力　－\n")), std::string::npos);
    EXPECT_TRUE(file.ends_with(result_text("－　分割指定点の出力　－\n番号 x y\n\nデータ出力終了\n")));
}

TEST(ResultFile, FailureLeavesTheEarlierFile) {
    HoledSquare scene;
    testing::TempFolder folder;
    std::filesystem::create_directory(folder.file("taken.TES"));
    std::ofstream(folder.file("plate.TES")) << "earlier";
    for (const std::string name : {"missing/plate.TES", "taken.TES", "plate.TES"}) {
        // Writes past 200 bytes fail, as on a full disk.
        const testing::FileSizeLimit limit(name == "plate.TES" ? 200 : RLIM_INFINITY);
        const Written w(scene.t, folder.file(name), 2, 14);
        EXPECT_FALSE(w.ok) << name;
    }
    EXPECT_EQ(read_bytes(folder.file("plate.TES")), "earlier");
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"plate.TES", "taken.TES"}));
}

}  // namespace
}  // namespace tesu
