// The finished mesh as the export files and the quality summary see it:
// nodes numbered from 1 in result-file order, elements in result-file order
// with their nodes counter-clockwise, and each figure's outline as a loop of
// nodes, all in file units.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"

namespace tesu {

struct ExportedFigure {
    // Numbers of the figure's outline nodes in the order they run along it;
    // the loop closes from the last back to the first.
    std::vector<int> loop;
    bool is_hole = false;
    // Inside the figure's outline and clear of every outline (file units).
    std::optional<Point> inner_point;
    // Area enclosed by the figure's outline alone (file units, not signed).
    double area = 0;
};

struct ExportedMesh {
    // Node number n at index n - 1, in file units.
    std::vector<Point> nodes;
    // Nodes 1 to this number lie on the outlines.
    int outline_node_count = 0;
    // Node numbers in element order, elements in increasing vp index.
    std::vector<std::array<int, 3>> elements;
    // Per element, degrees, computed as the distortion histogram does.
    std::vector<double> smallest_angles;
    std::vector<ExportedFigure> figures;

    const Point& node(int number) const { return nodes[static_cast<std::size_t>(number - 1)]; }
};

struct OutlineSegment {
    int figure;  // from 0
    int from;
    int to;
};

// Consecutive nodes along each figure's loop, closing it; a loop of two
// nodes is one segment, not two on top of each other.
std::vector<OutlineSegment> outline_segments(const ExportedMesh& mesh);

// From the tables of a finished run; nodes 4 to last_contour_node are the
// outline nodes, placed figure by figure.
ExportedMesh collect_exported_mesh(const MeshTables& mesh, const InputTables& input, int last_contour_node);

}  // namespace tesu
