#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <fstream>

#include "export_fixture.h"
#include "output/file_units.h"
#include "output/mesh_export.h"
#include "output/msh_writer.h"
#include "output/triangle_files_writer.h"
#include "output/vtu_writer.h"

namespace tesu {
namespace {

using testing::read_bytes;
using testing::RING_ELEMENTS;
using testing::RingWithIsland;

ExportedMesh ring_mesh() {
    RingWithIsland scene;
    return collect_exported_mesh(*scene.t.mesh, *scene.t.input, scene.LAST_CONTOUR_NODE);
}

// File coordinates of the ring's nodes, as printed.
const char* const RING_NODES[] = {"10 20", "12 20", "14 20",     "14 24",     "10 24",   "11 21",  "13 21",
                                  "13 23", "11 23", "11.5 21.5", "12.5 21.5", "12 22.5", "14.5 22"};

std::string lines_between(const std::string& text, const std::string& begin, const std::string& end) {
    const std::size_t from = text.find(begin);
    const std::size_t to = text.find(end);
    if (from == std::string::npos || to == std::string::npos || to < from) return "(missing " + begin + ")";
    return text.substr(from + begin.size(), to - from - begin.size());
}

TEST(MshWriter, PhysicalGroupsNodesAndElements) {
    testing::TempFolder folder;
    ASSERT_TRUE(write_msh_file(folder.file("ring.msh"), ring_mesh()));
    const std::string msh = read_bytes(folder.file("ring.msh"));

    EXPECT_EQ(msh.rfind("$MeshFormat\n2.2 0 8\n$EndMeshFormat\n", 0), 0u);
    EXPECT_EQ(lines_between(msh, "$PhysicalNames\n", "$EndPhysicalNames"),
              "4\n1 1 \"outline 1\"\n1 2 \"outline 2\"\n1 3 \"outline 3\"\n2 4 \"domain\"\n");

    std::string nodes = "13\n";
    for (int n = 1; n <= 13; ++n) nodes += std::to_string(n) + " " + RING_NODES[n - 1] + " 0\n";
    EXPECT_EQ(lines_between(msh, "$Nodes\n", "$EndNodes"), nodes);

    // Outline edges first, numbered after the ten triangles, which keep the
    // element numbers of the result file.
    std::string elements = "22\n";
    const int edges[][3] = {{1, 1, 2}, {1, 2, 3}, {1, 3, 4}, {1, 4, 5},   {1, 5, 1},   {2, 6, 7},
                            {2, 7, 8}, {2, 8, 9}, {2, 9, 6}, {3, 10, 11}, {3, 11, 12}, {3, 12, 10}};
    int id = 10;
    for (const auto& [tag, from, to] : edges) {
        elements += std::to_string(++id) + " 1 2 " + std::to_string(tag) + " " + std::to_string(tag) + " " +
                    std::to_string(from) + " " + std::to_string(to) + "\n";
    }
    for (std::size_t i = 0; i < RING_ELEMENTS.size(); ++i) {
        const auto& [p, q, r] = RING_ELEMENTS[i];
        elements += std::to_string(i + 1) + " 2 2 4 4 " + std::to_string(p) + " " + std::to_string(q) + " " +
                    std::to_string(r) + "\n";
    }
    EXPECT_EQ(lines_between(msh, "$Elements\n", "$EndElements"), elements);
    EXPECT_TRUE(msh.ends_with("$EndElements\n"));
}

TEST(VtuWriter, PointsCountFromZeroAndCellsCarryTheSmallestAngle) {
    testing::TempFolder folder;
    const ExportedMesh mesh = ring_mesh();
    ASSERT_TRUE(write_vtu_file(folder.file("ring.vtu"), mesh));
    const std::string vtu = read_bytes(folder.file("ring.vtu"));

    EXPECT_EQ(vtu.rfind("<?xml version=\"1.0\"?>\n<VTKFile type=\"UnstructuredGrid\"", 0), 0u);
    EXPECT_NE(vtu.find("<Piece NumberOfPoints=\"13\" NumberOfCells=\"10\">"), std::string::npos);
    std::string points;
    for (const char* p : RING_NODES) points += std::string(p) + " 0\n";
    EXPECT_EQ(lines_between(vtu, "NumberOfComponents=\"3\" format=\"ascii\">\n", "</DataArray>\n</Points>"),
              points);

    std::string connectivity, offsets, types;
    for (std::size_t i = 0; i < RING_ELEMENTS.size(); ++i) {
        const auto& [p, q, r] = RING_ELEMENTS[i];
        connectivity +=
            std::to_string(p - 1) + " " + std::to_string(q - 1) + " " + std::to_string(r - 1) + "\n";
        offsets += std::to_string(3 * (i + 1)) + "\n";
        types += "5\n";
    }
    EXPECT_EQ(lines_between(vtu, "Name=\"connectivity\" format=\"ascii\">\n",
                            "</DataArray>\n<DataArray type=\"Int32\" Name=\"offsets\""),
              connectivity);
    EXPECT_EQ(
        lines_between(vtu, "Name=\"offsets\" format=\"ascii\">\n", "</DataArray>\n<DataArray type=\"UInt8\""),
        offsets);
    EXPECT_EQ(lines_between(vtu, "Name=\"types\" format=\"ascii\">\n", "</DataArray>\n</Cells>"), types);

    const std::string angles =
        lines_between(vtu, "Name=\"smallest_angle\" format=\"ascii\">\n", "</DataArray>\n</CellData>");
    std::istringstream in(angles);
    for (const double expected : mesh.smallest_angles) {
        double read = -1;
        in >> read;
        EXPECT_EQ(read, expected);
    }
    EXPECT_NEAR(mesh.smallest_angles[0], 45, 1e-9);
    EXPECT_TRUE(vtu.ends_with("</Piece>\n</UnstructuredGrid>\n</VTKFile>\n"));
}

TEST(TriangleFiles, NodeAndEleFiles) {
    testing::TempFolder folder;
    const ExportedMesh mesh = ring_mesh();
    ASSERT_TRUE(write_node_file(folder.file("ring.node"), mesh));
    ASSERT_TRUE(write_ele_file(folder.file("ring.ele"), mesh));

    std::string node = "13 2 0 1\n";
    for (int n = 1; n <= 13; ++n) {
        node += std::to_string(n) + " " + RING_NODES[n - 1] + (n <= 12 ? " 1\n" : " 0\n");
    }
    EXPECT_EQ(read_bytes(folder.file("ring.node")), node);

    std::string ele = "10 3 0\n";
    for (std::size_t i = 0; i < RING_ELEMENTS.size(); ++i) {
        const auto& [p, q, r] = RING_ELEMENTS[i];
        ele += std::to_string(i + 1) + " " + std::to_string(p) + " " + std::to_string(q) + " " +
               std::to_string(r) + "\n";
    }
    EXPECT_EQ(read_bytes(folder.file("ring.ele")), ele);
}

TEST(TriangleFiles, PolyFileHasOutlineSegmentsPerFigureAndOneHole) {
    testing::TempFolder folder;
    const ExportedMesh mesh = ring_mesh();
    ASSERT_TRUE(write_poly_file(folder.file("ring.poly"), mesh));
    std::istringstream poly(read_bytes(folder.file("ring.poly")));

    int count = 0, dimension = 0, attributes = 0, markers = 0;
    poly >> count >> dimension >> attributes >> markers;
    EXPECT_EQ(count, 12);
    EXPECT_EQ(dimension, 2);
    EXPECT_EQ(attributes, 0);
    EXPECT_EQ(markers, 1);
    const int figure_of[] = {1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3};
    for (int n = 1; n <= count; ++n) {
        int number = 0, marker = 0;
        double x = 0, y = 0;
        poly >> number >> x >> y >> marker;
        EXPECT_EQ(number, n);
        EXPECT_EQ(x, mesh.node(n).x);
        EXPECT_EQ(y, mesh.node(n).y);
        EXPECT_EQ(marker, figure_of[n - 1]) << n;
    }

    poly >> count >> markers;
    EXPECT_EQ(count, 12);
    EXPECT_EQ(markers, 1);
    const std::vector<OutlineSegment> segments = outline_segments(mesh);
    for (int s = 1; s <= count; ++s) {
        int number = 0, from = 0, to = 0, marker = 0;
        poly >> number >> from >> to >> marker;
        EXPECT_EQ(number, s);
        EXPECT_EQ(from, segments[static_cast<std::size_t>(s - 1)].from);
        EXPECT_EQ(to, segments[static_cast<std::size_t>(s - 1)].to);
        EXPECT_EQ(marker, segments[static_cast<std::size_t>(s - 1)].figure + 1);
    }

    int holes = 0, number = 0;
    double x = 0, y = 0;
    poly >> holes >> number >> x >> y;
    EXPECT_EQ(holes, 1);
    EXPECT_EQ(number, 1);
    EXPECT_EQ(x, mesh.figures[1].inner_point->x);
    EXPECT_EQ(y, mesh.figures[1].inner_point->y);
    std::string rest;
    EXPECT_FALSE(poly >> rest) << rest;
}

TEST(ExportNumbers, CoordinatesReadBackExactly) {
    // Drawing units that no six-decimal text gives back, at a scale that is
    // no power of two.
    testing::TestMesh t(-3.25, 7, 399.0 / 7);
    const int a = t.node_at_drawing({150.3, 250.7});
    const int b = t.node_at_drawing({0.1, 399});
    const int c = t.node_at_drawing({398.9, 0.3});
    const ExportedMesh mesh = collect_exported_mesh(*t.mesh, *t.input, 3);

    testing::TempFolder folder;
    ASSERT_TRUE(write_node_file(folder.file("m.node"), mesh));
    std::istringstream node(read_bytes(folder.file("m.node")));
    std::string header;
    std::getline(node, header);
    for (const int k : {a, b, c}) {
        std::string number, x, y, marker;
        node >> number >> x >> y >> marker;
        const Point expected = to_file_units(*t.input, t.mesh->node_xy[k]);
        EXPECT_EQ(std::strtod(x.c_str(), nullptr), expected.x) << x;
        EXPECT_EQ(std::strtod(y.c_str(), nullptr), expected.y) << y;
    }
}

TEST(MeshExport, ExtensionPicksTheFilesInAnyCase) {
    testing::TempFolder folder;
    const ExportedMesh mesh = ring_mesh();
    for (const std::string name : {"a.msh", "b.VTU", "c.node", "d.ELE", "e.Poly"}) {
        EXPECT_TRUE(write_mesh_export(folder.file(name), mesh).empty()) << name;
    }
    EXPECT_EQ(folder.entries(),
              (std::set<std::string>{"a.msh", "b.VTU", "c.node", "c.ele", "d.NODE", "d.ELE", "e.Poly"}));
    EXPECT_EQ(read_bytes(folder.file("d.NODE")), read_bytes(folder.file("c.node")));
    EXPECT_EQ(read_bytes(folder.file("b.VTU")).find("<VTKFile"), 22u);
    EXPECT_EQ(read_bytes(folder.file("a.msh")).rfind("$MeshFormat", 0), 0u);
    EXPECT_EQ(read_bytes(folder.file("e.Poly")).rfind("12 2 0 1\n", 0), 0u);
}

TEST(MeshExport, FailedFilesAreNamedAndEarlierFilesKept) {
    testing::TempFolder folder;
    const ExportedMesh mesh = ring_mesh();
    ASSERT_TRUE(write_ele_file(folder.file("full.ele"), mesh));
    std::ofstream(folder.file("kept.ele")) << "earlier";
    {
        // Writes past 100 bytes fail, as on a full disk: the .node file of
        // the pair is larger, the .ele file smaller than that.
        const testing::FileSizeLimit limit(100);
        EXPECT_EQ(write_mesh_export(folder.file("kept.node"), mesh),
                  std::vector<std::string>{folder.file("kept.node")});
    }
    EXPECT_EQ(read_bytes(folder.file("kept.ele")), read_bytes(folder.file("full.ele")));
    EXPECT_EQ(write_mesh_export(folder.file("missing/m.vtu"), mesh),
              std::vector<std::string>{folder.file("missing/m.vtu")});
    EXPECT_EQ(write_mesh_export(folder.file("m.txt"), mesh), std::vector<std::string>{folder.file("m.txt")});
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"full.ele", "kept.ele"}));
}

}  // namespace
}  // namespace tesu
