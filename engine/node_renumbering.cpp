#include "engine/node_renumbering.h"

#include <vector>

namespace tesu {

void renumber_nodes(VoronoiBuilder& builder, std::span<const int> new_row) {
    MeshTables& mesh = builder.mesh();
    constexpr int FIRST_REAL = 4;
    const auto moved = [&](int k) {
        return k >= FIRST_REAL ? new_row[static_cast<std::size_t>(k - FIRST_REAL)] : k;
    };
    const std::vector<Point> xy(&mesh.node_xy[FIRST_REAL], &mesh.node_xy[FIRST_REAL] + new_row.size());
    const std::vector<int> ve(&mesh.node_ve[FIRST_REAL], &mesh.node_ve[FIRST_REAL] + new_row.size());
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
