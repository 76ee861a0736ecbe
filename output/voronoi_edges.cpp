#include "output/voronoi_edges.h"

#include "engine/creation_order.h"
#include "engine/geometry.h"

namespace tesu {

namespace {

// Vps 1 to 3 lie at infinity.
inline constexpr int FIRST_FINITE_VP = 4;

}  // namespace

VoronoiEdges voronoi_edges(const MeshTables& mesh) {
    VoronoiEdges diagram;
    const std::vector<int> live = live_ves_in_creation_order(mesh);
    diagram.edges.reserve(live.size());
    for (const int e : live) {
        const int a = mesh.ve_vp[e][0];
        const int b = mesh.ve_vp[e][1];
        // Vps 1 to 3, at infinity, are never deleted, so their rows are never
        // taken by others.
        if (a < FIRST_FINITE_VP || b < FIRST_FINITE_VP) continue;
        double ax = 0, ay = 0, bx = 0, by = 0;
        if (!vp_centre(mesh, a, ax, ay) || !vp_centre(mesh, b, bx, by)) {
            diagram.all_finite = false;
            continue;
        }
        diagram.edges.push_back({{ax, ay}, {bx, by}});
    }
    return diagram;
}

}  // namespace tesu
