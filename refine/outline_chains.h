// The outlines as chains of node rows, which the refinement splits: each
// figure's nodes in the order they run along it, the segment from a node
// to the next one, and what a split point needs to know of the input edges
// and the corners between them.
#pragma once

#include <vector>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"

namespace tesu {

class OutlineChains {
public:
    // From the nodes of a finished run, rows 4 to last_contour_node placed
    // figure by figure along each outline. A loop of fewer than three nodes
    // has no segment to recover and keeps its nodes as they are.
    OutlineChains(const MeshTables& mesh, const InputTables& input, int last_contour_node);

    // The node after row k along its outline, 0 when k has no segment.
    int next(int k) const { return next_[static_cast<std::size_t>(k)]; }
    bool on_outline(int k) const { return on_outline_[static_cast<std::size_t>(k)] != 0; }
    // A corner of the outline: where it turns, not a node placed along an
    // edge.
    bool corner(int k) const { return corner_[static_cast<std::size_t>(k)] != 0; }
    // A corner whose two segments meet at under 60 degrees, on either side.
    bool sharp(int k) const { return sharp_[static_cast<std::size_t>(k)] != 0; }
    // The node before row k along its outline; 0 when k has no segment.
    int previous(int k) const { return previous_[static_cast<std::size_t>(k)]; }

    // The sharp corner at which the two different input edges that nodes u
    // and v lie on meet, when both were put on a shell of that corner; 0
    // otherwise.
    int shared_shell_corner(int u, int v) const;

    // Gives room for row k, a node on no outline.
    void add_node(int k);
    // Puts node k, just added, on the segment from a to the next node;
    // `on_shell` when it lies at a power of two from a sharp corner.
    void split(int a, int k, bool on_shell);

    // Every node row in the order the outputs list nodes: each figure's
    // outline nodes along it, then the other rows up to last_placed (the
    // division-specified nodes), then the rest in row order.
    std::vector<int> output_order(int last_placed, int number) const;

private:
    // The input edge a node lies on, -1 for a corner or a node on no outline.
    int edge_of(int k) const { return edge_[static_cast<std::size_t>(k)]; }

    std::vector<int> next_;
    std::vector<int> previous_;
    std::vector<char> on_outline_;
    std::vector<char> corner_;
    std::vector<char> sharp_;
    std::vector<char> on_shell_;
    // By row: the input edge of the segment that starts there.
    std::vector<int> segment_edge_;
    std::vector<int> edge_;
    // By input edge: the corners at its start and at its end.
    std::vector<int> edge_start_;
    std::vector<int> edge_end_;
    // The first node of each figure's loop, 0 for an empty one.
    std::vector<int> loop_first_;
    std::vector<std::vector<int>> short_loops_;
};

}  // namespace tesu
