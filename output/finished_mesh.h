// The finished mesh as a value: what the result file, the exports, the
// picture, the quality summary, the details box and the repaint read, and
// what tesu::mesh() returns.
//
// Numbering, the same in every field: node numbers run from 1, as in the
// result file (node n is nodes[n - 1]): the outline nodes figure by figure,
// then the division-specified nodes, then the interior nodes. Element i
// (from 0) is element i + 1 of the result file, the oldest triangle of the
// diagram first. Coordinates are in file units (the units of the domain),
// except those of drawing_nodes.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "engine/point.h"

namespace tesu {

struct MeshTables;
struct InputTables;

// One figure, in the order of the domain's outlines.
struct FinishedFigure {
    // The figure's points as the data file gives them, the closing point
    // included (file units).
    std::vector<Point> outline;
    // Node numbers (from 1) of the figure's outline nodes in the order they
    // run along it; the loop closes from the last back to the first.
    std::vector<int> loop;
    bool is_hole = false;
    // Inside the figure's outline and clear of every outline (file units).
    std::optional<Point> inner_point;
    // Area enclosed by the figure's outline alone (file units, not signed).
    double area = 0;
};

// What the quality refinement added to the documented run, when asked for.
struct RefinementSummary {
    bool ran = false;
    // The angle bound in degrees, 0 when only the outlines were recovered.
    double min_angle = 0;
    int outline_nodes_added = 0;
    int interior_nodes_added = 0;
    // The refinement stopped at its budget with elements still under the
    // bound or segments still missing.
    bool budget_reached = false;
};

struct FinishedMesh {
    // Node number n at index n - 1, in file units.
    std::vector<Point> nodes;
    // The same nodes in drawing units, the scaled units the run works in (y
    // downward): what the window draws and points at.
    std::vector<Point> drawing_nodes;
    // Nodes 1 to this number lie on the outlines.
    int outline_node_count = 0;
    // The elements for a solver: per element (result-file order), its node
    // numbers (from 1) counter-clockwise in file units, starting where the
    // result file starts them.
    std::vector<std::array<int, 3>> elements;
    // The same triangles, same element order, with their nodes in the
    // order of the diagram's triangle instead (either turn): the order the
    // picture, the repaint and smallest_angles follow. Use `elements` unless
    // matching those.
    std::vector<std::array<int, 3>> triangles;
    // Per element (result-file order), its smallest angle in degrees,
    // measured in drawing units in the order of `triangles`, as the
    // distortion histogram counts them.
    std::vector<double> smallest_angles;
    // Per outline of the domain, in its order.
    std::vector<FinishedFigure> figures;
    // Node numbers (from 1): the node at each outline point of each figure,
    // closing points left out, and at each division-specified point, in the
    // order of the domain; points on no node are left out.
    std::vector<std::vector<int>> outline_point_nodes;
    std::vector<int> division_point_nodes;
    // Node numbers (from 1) of the outline nodes where a figure after the
    // first begins.
    std::vector<int> figure_first_nodes;
    // How many vps and ves the diagram created, for the details box.
    int vp_number = 0;
    int ve_number = 0;
    RefinementSummary refinement;

    const Point& node(int number) const { return nodes[static_cast<std::size_t>(number - 1)]; }
    const Point& drawing_node(int number) const {
        return drawing_nodes[static_cast<std::size_t>(number - 1)];
    }
};

struct OutlineSegment {
    int figure;  // from 0
    int from;
    int to;
};

// Consecutive nodes along each figure's loop, closing it; a loop of two
// nodes is one segment, not two on top of each other.
std::vector<OutlineSegment> outline_segments(const FinishedMesh& mesh);

// The node rows of each figure's outline in the order they run along it: from
// the node at the figure's first point up to the next figure's first node.
// A figure whose first node cannot be found (the run always places it) gets
// an empty loop.
std::vector<std::vector<int>> outline_loop_rows(const MeshTables& mesh, const InputTables& input,
                                                int last_contour_node);

// From the tables of a finished run; the node rows up to last_contour_node
// are the outline nodes, placed figure by figure.
FinishedMesh collect_finished_mesh(const MeshTables& mesh, const InputTables& input, int last_contour_node);

}  // namespace tesu
