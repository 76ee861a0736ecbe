#include "engine/node_renumbering.h"

#include <vector>

#include "engine/node_numbering.h"

namespace tesu {

void renumber_nodes(VoronoiBuilder& builder, std::span<const int> new_row) {
    MeshTables& mesh = builder.mesh();
    const auto moved = [&](int k) {
        return k >= FIRST_NODE_ROW ? new_row[static_cast<std::size_t>(k - FIRST_NODE_ROW)] : k;
    };
    const std::vector<Point> xy(&mesh.node_xy[FIRST_NODE_ROW],
                                &mesh.node_xy[FIRST_NODE_ROW] + new_row.size());
    const std::vector<int> ve(&mesh.node_ve[FIRST_NODE_ROW], &mesh.node_ve[FIRST_NODE_ROW] + new_row.size());
    for (std::size_t i = 0; i < new_row.size(); ++i) {
        mesh.node_xy[new_row[i]] = xy[i];
        mesh.node_ve[new_row[i]] = ve[i];
    }
    // Free rows too: their nodes are stale but real rows, and keeping every
    // row in the new numbering costs less than telling the two apart.
    for (int e = 1; e <= mesh.ve_pool.highest_row; ++e) {
        auto& nodes = mesh.ve_node[e];
        nodes = {moved(nodes[0]), moved(nodes[1])};
    }
    builder.forget_cells();
}

}  // namespace tesu
