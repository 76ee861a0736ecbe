#include "engine/geometry.h"

#include "engine/error.h"

namespace tesu {

void fail_no_next_ve() { throw computation_error("Not next ve.Error!"); }

namespace {

// Two nodes whose squared distances to a point differ by less than this
// share of them count as equally near: far more than the rounding of the
// distances, far less than any spacing.
constexpr double TIE_SHARE = 1e-9;

}  // namespace

bool has_no_rival(const MeshTables& mesh, int q, int k, double d2) {
    const Point target = mesh.node_xy[k];
    const double rival = d2 * (1 + TIE_SHARE);
    return first_neighbour(mesh, q, [&](int n) { return !(distance2(mesh.node_xy[n], target) > rival); }) ==
           INFINITE_NODE;
}

void cell_ves(const MeshTables& mesh, int u, std::vector<int>& ves) {
    ves.clear();
    turn_until(mesh, u, [&](int e) {
        ves.push_back(e);
        return false;
    });
}

int shared_ve(const MeshTables& mesh, int u, int v) {
    return turn_until(mesh, u, [&](int e) { return other_node(mesh, e, u) == v; });
}

bool vp_centre(const MeshTables& mesh, int v, double& cx, double& cy) {
    const auto nodes = vp_nodes(mesh, v);
    if (at_infinity(nodes)) return false;
    circumcentre(mesh.node_xy[nodes[0]], mesh.node_xy[nodes[1]], mesh.node_xy[nodes[2]], cx, cy);
    return true;
}

}  // namespace tesu
