#include "output/result_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cp932_text.h"
#include "file_size_limit.h"
#include "mesh_fixture.h"
#include "temp_folder.h"
#include "ui/headless_platform.h"

namespace tesu {
namespace {

using testing::read_bytes;
using testing::result_text;
using testing::TempFolder;
using testing::TestMesh;

// A square (0,0)-(8,8) with a triangular hole, shifted by (-2, 10) in file
// units; 49.875 = 399 / 8 drawing units per file unit. Nodes are placed by
// grid position (u, v), file point (u - 2, v + 10).
struct HoledSquare {
    TestMesh t{-2, 10, 399.0 / 8};
    int node(double u, double v) { return t.node(u - 2, v + 10); }

    HoledSquare() {
        const int n4 = node(0, 0), n5 = node(4, 0), n6 = node(8, 0), n7 = node(8, 8), n8 = node(0, 8);
        const int n9 = node(3, 2), n10 = node(6, 2), n11 = node(6, 6);
        last_contour_node = n11;
        const int n12 = node(1, 6);         // division-specified
        t.node_at_drawing({150.3, 250.7});  // interior, off the grid
        t.figure({{-2, 10}, {6, 10}, {6, 18}, {-2, 18}});
        t.figure({{1, 12}, {4, 12}, {4, 16}});
        t.division_point(-1, 16);
        t.division_point(2, 10);  // lies on outline node 5

        t.triangle(n4, n5, n9);               // element
        t.triangle(n9, n10, n11);             // the hole
        t.delete_vp(t.triangle(n4, n5, n8));  // inside, but deleted
        t.triangle(1, n4, n5);                // uses the enclosing triangle
        t.triangle(n8, n12, n4);              // element
        t.triangle(n6, n7, n10);              // element
    }
    int last_contour_node = 0;
};

std::string interior_node_line() {
    char line[80];
    std::snprintf(line, sizeof line, "%4d %f %f\n", 10, 150.3 / (399.0 / 8) + -2,
                  (399.0 - 250.7) / (399.0 / 8) + 10);
    return line;
}

std::string expected_body() {
    return "－－－　ノードデータ、要素データ、境界データを出力　－－－\n"
           "\n"
           "10 = ノード数\n"
           "番号 x y\n"
           "   1 -2.000000 10.000000\n"
           "   2 2.000000 10.000000\n"
           "   3 6.000000 10.000000\n"
           "   4 6.000000 18.000000\n"
           "   5 -2.000000 18.000000\n"
           "   6 1.000000 12.000000\n"
           "   7 4.000000 12.000000\n"
           "   8 4.000000 16.000000\n"
           "   9 -1.000000 16.000000\n" +
           interior_node_line() +
           "\n"
           "3 = 要素数\n"
           "   6    1    2\n"
           "   9    5    1\n"
           "   4    7    3\n"
           "\n"
           "－　輪郭指定点の出力　－\n"
           "番号 x y\n"
           "   1 -2.000000 10.000000\n"
           "   3 6.000000 10.000000\n"
           "   4 6.000000 18.000000\n"
           "   5 -2.000000 18.000000\n"
           "\n"
           "   6 1.000000 12.000000\n"
           "   7 4.000000 12.000000\n"
           "   8 4.000000 16.000000\n"
           "\n"
           "輪郭線上のデータを出力\n"
           "8 = 境界線上のデータ数\n"
           "   1 -2.000000 10.000000\n"
           "   2 2.000000 10.000000\n"
           "   3 6.000000 10.000000\n"
           "   4 6.000000 18.000000\n"
           "   5 -2.000000 18.000000\n"
           "\n"
           "   6 1.000000 12.000000\n"
           "   7 4.000000 12.000000\n"
           "   8 4.000000 16.000000\n"
           "\n"
           "－　分割指定点の出力　－\n"
           "番号 x y\n"
           "   9 -1.000000 16.000000\n"
           "   2 2.000000 10.000000\n"
           "\n"
           "データ出力終了\n";
}

// The elements' smallest angles: 33.7 (vp 5), 9.5 (vp 9) and 18.4 degrees (vp 10).
std::string expected_histogram(int step) {
    std::string text = "\n三角形のひずみデータを出力します。\n";
    for (int low = 0; low < 60; low += step) {
        int count = 0;
        for (const int degree : {33, 9, 18}) count += degree >= low && degree < low + step ? 1 : 0;
        char line[32];
        std::snprintf(line, sizeof line, "[%d] = %d\n", low, count);
        text += line;
    }
    return text + "合計（要素の数）=3\n";
}

struct Written {
    bool ok;
    RunResults results;
    HeadlessPlatform platform;
};

void write(const TestMesh& t, const std::string& path, int step, int last_contour_node, Written& out) {
    out.results.output_file_name = path;
    out.results.histogram_step = step;
    out.results.last_contour_node = last_contour_node;
    out.results.element_count = -1;
    out.platform.record_drawing = true;
    out.ok = write_result_file(*t.mesh, *t.input, out.results, out.platform);
}

TEST(ResultFile, WholeFileForEachHistogramWidth) {
    HoledSquare scene;
    TempFolder folder;
    for (const int step : {0, 1, 2, 3}) {
        SCOPED_TRACE(step);
        const std::string path = folder.file("plate.TES");
        Written w;
        write(scene.t, path, step, scene.last_contour_node, w);
        ASSERT_TRUE(w.ok);
        EXPECT_EQ(w.results.element_count, 3);
        const std::string expected =
            result_text(expected_body() + (step == 0 ? "" : expected_histogram(step)));
        EXPECT_EQ(read_bytes(path), expected);
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"plate.TES"});
    }
}

TEST(ResultFile, DrawsEachElementsEdgesInElementOrder) {
    HoledSquare scene;
    TempFolder folder;
    Written w;
    write(scene.t, folder.file("plate.TES"), 0, scene.last_contour_node, w);
    ASSERT_EQ(w.platform.drawing.size(), 9u);
    // First element in element order: nodes 9, 4, 5 (grid (3,2), (0,0), (4,0)).
    const MeshTables& mesh = *scene.t.mesh;
    const Point a = mesh.node_xy[9], b = mesh.node_xy[4], c = mesh.node_xy[5];
    const Point ends[3][2] = {{a, b}, {b, c}, {c, a}};
    for (int i = 0; i < 3; ++i) {
        const RecordedDrawing& line = w.platform.drawing[static_cast<std::size_t>(i)];
        EXPECT_EQ(line.kind, RecordedDrawing::Kind::line);
        EXPECT_EQ(line.x0, ends[i][0].x);
        EXPECT_EQ(line.y0, ends[i][0].y);
        EXPECT_EQ(line.x1, ends[i][1].x);
        EXPECT_EQ(line.y1, ends[i][1].y);
    }
}

TEST(ResultFile, OneFigureWithoutElementsOrDivisionPoints) {
    TestMesh t(0, 0, 399.0 / 4);
    t.node(0, 0);
    t.node(4, 0);
    t.node(2, 3);
    t.figure({{0, 0}, {4, 0}, {2, 3}});
    TempFolder folder;
    Written w;
    write(t, folder.file("tri.TES"), 0, 6, w);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.results.element_count, 0);
    EXPECT_EQ(read_bytes(folder.file("tri.TES")),
              result_text("－－－　ノードデータ、要素データ、境界データを出力　－－－\n\n"
                          "3 = ノード数\n番号 x y\n"
                          "   1 0.000000 0.000000\n   2 4.000000 0.000000\n   3 2.000000 3.000000\n"
                          "\n0 = 要素数\n"
                          "\n－　輪郭指定点の出力　－\n番号 x y\n"
                          "   1 0.000000 0.000000\n   2 4.000000 0.000000\n   3 2.000000 3.000000\n\n"
                          "輪郭線上のデータを出力\n3 = 境界線上のデータ数\n"
                          "   1 0.000000 0.000000\n   2 4.000000 0.000000\n   3 2.000000 3.000000\n"
                          "\n－　分割指定点の出力　－\n番号 x y\n"
                          "\nデータ出力終了\n"));
}

TEST(ResultFile, EmptyLineBeforeEachLaterFiguresFirstNode) {
    TestMesh t(0, 0, 399.0 / 10);
    for (const Point p :
         {Point{0, 0}, {5, 0}, {10, 0}, {5, 8}, {1, 1}, {2, 1}, {1, 2}, {6, 1}, {7, 1}, {6, 2}}) {
        t.node(p.x, p.y);
    }
    t.figure({{0, 0}, {10, 0}, {5, 8}});
    t.figure({{1, 1}, {2, 1}, {1, 2}});
    t.figure({{6, 1}, {7, 1}, {6, 2}});
    TempFolder folder;
    Written w;
    write(t, folder.file("three.TES"), 0, 13, w);
    ASSERT_TRUE(w.ok);

    const auto line = [](int number, double x, double y) {
        char text[80];
        std::snprintf(text, sizeof text, "%4d %f %f\n", number, x, y);
        return std::string(text);
    };
    const std::string fig0_points = line(1, 0, 0) + line(3, 10, 0) + line(4, 5, 8);
    const std::string fig0_nodes = line(1, 0, 0) + line(2, 5, 0) + line(3, 10, 0) + line(4, 5, 8);
    const std::string fig1 = line(5, 1, 1) + line(6, 2, 1) + line(7, 1, 2);
    const std::string fig2 = line(8, 6, 1) + line(9, 7, 1) + line(10, 6, 2);
    const std::string expected =
        "－－－　ノードデータ、要素データ、境界データを出力　－－－\n\n"
        "10 = ノード数\n番号 x y\n" +
        fig0_nodes + fig1 + fig2 + "\n0 = 要素数\n\n－　輪郭指定点の出力　－\n番号 x y\n" + fig0_points +
        "\n" + fig1 + "\n" + fig2 + "\n輪郭線上のデータを出力\n10 = 境界線上のデータ数\n" + fig0_nodes +
        "\n" + fig1 + "\n" + fig2 + "\n－　分割指定点の出力　－\n番号 x y\n\nデータ出力終了\n";
    EXPECT_EQ(read_bytes(folder.file("three.TES")), result_text(expected));
}

TEST(ResultFileFailure, MissingFolderOrDirectoryPathFailsButCountsAndDraws) {
    HoledSquare scene;
    TempFolder folder;
    const std::string directory = folder.file("taken.TES");
    ASSERT_EQ(mkdir(directory.c_str(), 0755), 0);
    for (const std::string& path : {folder.file("missing/plate.TES"), directory}) {
        SCOPED_TRACE(path);
        Written w;
        write(scene.t, path, 2, scene.last_contour_node, w);
        EXPECT_FALSE(w.ok);
        EXPECT_EQ(w.results.element_count, 3);
        EXPECT_EQ(w.platform.lines_drawn, 9);
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"taken.TES"});
    }
}

TEST(ResultFileFailure, FailedWriteLeavesTheEarlierFileUntouched) {
    HoledSquare scene;
    TempFolder folder;
    const std::string path = folder.file("plate.TES");
    testing::write_bytes(path, "earlier result\r\n");
    Written w;
    {
        testing::FileSizeLimit limit(200);
        write(scene.t, path, 1, scene.last_contour_node, w);
    }
    EXPECT_FALSE(w.ok);
    EXPECT_EQ(w.results.element_count, 3);
    EXPECT_EQ(w.platform.lines_drawn, 9);
    EXPECT_EQ(read_bytes(path), "earlier result\r\n");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"plate.TES"});
}

}  // namespace
}  // namespace tesu
