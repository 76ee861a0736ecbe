#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>

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

FinishedMesh ring_mesh() {
    testing::RingWithIsland scene;
    return collect_finished_mesh(*scene.t.mesh, *scene.t.input, scene.LAST_CONTOUR_NODE);
}

// The ring's node coordinates in file units, as printed.
const char* const RING_NODES[] = {"10 20", "12 20", "14 20",     "14 24",     "10 24",   "11 21",  "13 21",
                                  "13 23", "11 23", "11.5 21.5", "12.5 21.5", "12 22.5", "14.5 22"};

// One line per node or element, from `line(i)` for i from 0.
std::string lines(std::size_t count, const std::function<std::string(std::size_t)>& line) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += line(i) + "\n";
    return text;
}

std::string triple(const std::array<int, 3>& nodes, int shift = 0) {
    return std::to_string(nodes[0] + shift) + " " + std::to_string(nodes[1] + shift) + " " +
           std::to_string(nodes[2] + shift);
}

TEST(MshWriter, PhysicalGroupsNodesAndElements) {
    testing::TempFolder folder;
    ASSERT_TRUE(write_msh_file(folder.file("ring.msh"), ring_mesh()));
    // Outline edges first, numbered after the ten triangles, which keep the
    // element numbers of the result file.
    const int edges[][3] = {{1, 1, 2}, {1, 2, 3}, {1, 3, 4}, {1, 4, 5},   {1, 5, 1},   {2, 6, 7},
                            {2, 7, 8}, {2, 8, 9}, {2, 9, 6}, {3, 10, 11}, {3, 11, 12}, {3, 12, 10}};
    const std::string expected =
        "$MeshFormat\n2.2 0 8\n$EndMeshFormat\n"
        "$PhysicalNames\n4\n1 1 \"outline 1\"\n1 2 \"outline 2\"\n1 3 \"outline 3\"\n2 4 \"domain\"\n"
        "$EndPhysicalNames\n$Nodes\n13\n" +
        lines(13, [](std::size_t i) { return std::to_string(i + 1) + " " + RING_NODES[i] + " 0"; }) +
        "$EndNodes\n$Elements\n22\n" +
        lines(12,
              [&edges](std::size_t i) {
                  const auto& [tag, from, to] = edges[i];
                  return std::to_string(i + 11) + " 1 2 " + std::to_string(tag) + " " + std::to_string(tag) +
                         " " + std::to_string(from) + " " + std::to_string(to);
              }) +
        lines(10,
              [](std::size_t i) { return std::to_string(i + 1) + " 2 2 4 4 " + triple(RING_ELEMENTS[i]); }) +
        "$EndElements\n";
    EXPECT_EQ(read_bytes(folder.file("ring.msh")), expected);
}

TEST(VtuWriter, PointsCountFromZeroAndCellsCarryTheSmallestAngle) {
    testing::TempFolder folder;
    const FinishedMesh mesh = ring_mesh();
    ASSERT_TRUE(write_vtu_file(folder.file("ring.vtu"), mesh));
    // Six elements of 18.4 degrees, three of 45, the island's 53.1.
    EXPECT_NEAR(mesh.smallest_angles[3], 18.43494882292201, 1e-12);
    const std::string expected =
        "<?xml version=\"1.0\"?>\n"
        "<VTKFile type=\"UnstructuredGrid\" version=\"0.1\" byte_order=\"LittleEndian\">\n"
        "<UnstructuredGrid>\n<Piece NumberOfPoints=\"13\" NumberOfCells=\"10\">\n"
        "<Points>\n<DataArray type=\"Float64\" NumberOfComponents=\"3\" format=\"ascii\">\n" +
        lines(13, [](std::size_t i) { return std::string(RING_NODES[i]) + " 0"; }) +
        "</DataArray>\n</Points>\n<Cells>\n"
        "<DataArray type=\"Int32\" Name=\"connectivity\" format=\"ascii\">\n" +
        lines(10, [](std::size_t i) { return triple(RING_ELEMENTS[i], -1); }) +
        "</DataArray>\n<DataArray type=\"Int32\" Name=\"offsets\" format=\"ascii\">\n" +
        lines(10, [](std::size_t i) { return std::to_string(3 * i + 3); }) +
        "</DataArray>\n<DataArray type=\"UInt8\" Name=\"types\" format=\"ascii\">\n" +
        lines(10, [](std::size_t) { return "5"; }) +
        "</DataArray>\n</Cells>\n<CellData Scalars=\"smallest_angle\">\n"
        "<DataArray type=\"Float64\" Name=\"smallest_angle\" format=\"ascii\">\n";
    const std::string vtu = read_bytes(folder.file("ring.vtu"));
    ASSERT_EQ(vtu.substr(0, expected.size()), expected);
    std::istringstream angles(vtu.substr(expected.size()));
    for (const double angle : mesh.smallest_angles) {
        double read = -1;
        angles >> read;
        EXPECT_EQ(read, angle);
    }
    std::string rest((std::istreambuf_iterator<char>(angles >> std::ws)), std::istreambuf_iterator<char>());
    EXPECT_EQ(rest, "</DataArray>\n</CellData>\n</Piece>\n</UnstructuredGrid>\n</VTKFile>\n");
}

TEST(TriangleFiles, NodeEleAndPolyFiles) {
    testing::TempFolder folder;
    const FinishedMesh mesh = ring_mesh();
    ASSERT_TRUE(write_mesh_export(folder.file("ring.node"), mesh).empty());
    ASSERT_TRUE(write_poly_file(folder.file("ring.poly"), mesh));

    EXPECT_EQ(read_bytes(folder.file("ring.node")), "13 2 0 1\n" + lines(13, [](std::size_t i) {
                                                        return std::to_string(i + 1) + " " + RING_NODES[i] +
                                                               (i < 12 ? " 1" : " 0");
                                                    }));
    EXPECT_EQ(read_bytes(folder.file("ring.ele")), "10 3 0\n" + lines(10, [](std::size_t i) {
                                                       return std::to_string(i + 1) + " " +
                                                              triple(RING_ELEMENTS[i]);
                                                   }));
    // Outline nodes and segments marked with their figure, then the hole.
    const int figure_of[] = {1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3};
    const std::string outline =
        "12 2 0 1\n" +
        lines(12,
              [&figure_of](std::size_t i) {
                  return std::to_string(i + 1) + " " + RING_NODES[i] + " " + std::to_string(figure_of[i]);
              }) +
        "12 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 5 1\n5 5 1 1\n6 6 7 2\n7 7 8 2\n8 8 9 2\n9 9 6 2\n"
        "10 10 11 3\n11 11 12 3\n12 12 10 3\n1\n1 ";
    const std::string poly = read_bytes(folder.file("ring.poly"));
    ASSERT_EQ(poly.substr(0, outline.size()), outline);
    std::istringstream hole(poly.substr(outline.size()));
    double x = 0, y = 0;
    hole >> x >> y;
    EXPECT_EQ(x, mesh.figures[1].inner_point->x);
    EXPECT_EQ(y, mesh.figures[1].inner_point->y);
    EXPECT_TRUE(poly.ends_with("\n") && hole >> std::ws && hole.eof());
}

TEST(MeshExport, CoordinatesReadBackExactly) {
    // Drawing units that no six-decimal text gives back, at a scale that is
    // no power of two.
    testing::TestMesh t(-3.25, 7, 399.0 / 7);
    const Point drawing[] = {{150.3, 250.7}, {0.1, 399}, {398.9, 0.3}};
    for (const Point& p : drawing) t.node_at_drawing(p);
    testing::TempFolder folder;
    ASSERT_TRUE(
        write_mesh_export(folder.file("m.node"), collect_finished_mesh(*t.mesh, *t.input, 3)).empty());

    std::istringstream node(read_bytes(folder.file("m.node")));
    std::string header, number, x, y, marker;
    std::getline(node, header);
    for (const Point& p : drawing) {
        node >> number >> x >> y >> marker;
        EXPECT_EQ(std::strtod(x.c_str(), nullptr), to_file_units(*t.input, p).x) << x;
        EXPECT_EQ(std::strtod(y.c_str(), nullptr), to_file_units(*t.input, p).y) << y;
    }
}

TEST(MeshExport, ExtensionPicksTheFilesInAnyCase) {
    testing::TempFolder folder;
    const FinishedMesh mesh = ring_mesh();
    for (const std::string name : {"a.msh", "b.VTU", "c.node", "d.ELE", "e.Poly"}) {
        EXPECT_TRUE(write_mesh_export(folder.file(name), mesh).empty()) << name;
    }
    EXPECT_EQ(folder.entries(),
              (std::set<std::string>{"a.msh", "b.VTU", "c.node", "c.ele", "d.NODE", "d.ELE", "e.Poly"}));
    EXPECT_EQ(read_bytes(folder.file("d.NODE")), read_bytes(folder.file("c.node")));
    EXPECT_EQ(read_bytes(folder.file("d.ELE")), read_bytes(folder.file("c.ele")));
    EXPECT_EQ(read_bytes(folder.file("b.VTU")).find("<VTKFile"), 22u);
    EXPECT_EQ(read_bytes(folder.file("a.msh")).rfind("$MeshFormat", 0), 0u);
    EXPECT_EQ(read_bytes(folder.file("e.Poly")).rfind("12 2 0 1\n", 0), 0u);
}

// A pair is replaced whole or not at all: a new .node beside the old .ele
// would not belong together.
TEST(MeshExport, FailedFilesAreNamedAndEarlierFilesKept) {
    testing::TempFolder folder;
    const FinishedMesh mesh = ring_mesh();
    std::ofstream(folder.file("kept.node")) << "earlier node";
    std::ofstream(folder.file("kept.ele")) << "earlier ele";
    {
        // Writes past 100 bytes fail, as on a full disk: the .node file of
        // the pair is larger, the .ele file smaller than that.
        const testing::FileSizeLimit limit(100);
        EXPECT_EQ(write_mesh_export(folder.file("kept.node"), mesh),
                  std::vector<std::string>{folder.file("kept.node")});
    }
    EXPECT_EQ(read_bytes(folder.file("kept.node")), "earlier node");
    EXPECT_EQ(read_bytes(folder.file("kept.ele")), "earlier ele");
    EXPECT_EQ(write_mesh_export(folder.file("missing/m.vtu"), mesh),
              std::vector<std::string>{folder.file("missing/m.vtu")});
    EXPECT_EQ(write_mesh_export(folder.file("m.txt"), mesh), std::vector<std::string>{folder.file("m.txt")});
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"kept.ele", "kept.node"}));
}

}  // namespace
}  // namespace tesu
