#include "engine/geometry.h"

namespace tesu {

namespace {

// Squared distance between two points, the measure of both walks.
double distance2(const Point& a, const Point& b) {
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

bool has_node(const MeshTables& mesh, int e, int n) {
    const auto& nodes = mesh.ve_node[e];
    return nodes[0] == n || nodes[1] == n;
}

void fail_no_next_ve(Platform& platform) {
    platform.fatal(COMPUTATION_ERROR_CAPTION, "Not next ve.Error!", FatalCause::computation);
}

// The greedy walk shared by nearest_node and nearest_distance2: turn around
// the cell of the current node and move to the first neighbour strictly
// nearer to k; stop after a full turn without one.
}  // namespace

WalkEnd walk_to_nearest(const MeshTables& mesh, int s, int k, Platform& platform) {
    const Point target = mesh.node_xy[k];
    int u = s;
    double best = distance2(mesh.node_xy[s], target);
    for (;;) {
        const int e0 = mesh.node_ve[u];
        int e = e0;
        int w = mesh.ve_vp[e0][1];
        int nearer = INFINITE_NODE;
        // A turn passes each ve at most once; more steps than there are ves
        // mean the topology loops without coming back to e0.
        for (int steps = 0;; ++steps) {
            const int n = other_node(mesh, e, u);
            if (n != INFINITE_NODE) {
                const double d = distance2(mesh.node_xy[n], target);
                if (best > d) {
                    nearer = n;
                    best = d;
                    break;
                }
            }
            if (steps > mesh.ve_number) fail_no_next_ve(platform);
            int next = 0;
            for (const int f : mesh.vp_ve[w]) {
                // The -1 of a deleted vp names no ve.
                if (f != e && f != DELETED_VP && has_node(mesh, f, u)) {
                    next = f;
                    break;
                }
            }
            if (next == 0) fail_no_next_ve(platform);
            w = other_end(mesh, next, w);
            e = next;
            if (e == e0) return {u, best};
        }
        u = nearer;
    }
}

void vp_centre(const MeshTables& mesh, int v, double& cx, double& cy, Platform& platform) {
    const auto nodes = vp_nodes(mesh, v);
    if (nodes[0] == INFINITE_NODE || nodes[1] == INFINITE_NODE || nodes[2] == INFINITE_NODE) {
        platform.message_box(COMPUTATION_ERROR_CAPTION, "架空の点エラー、外心の計算において", Buttons::ok);
        return;
    }
    circumcentre(mesh.node_xy[nodes[0]], mesh.node_xy[nodes[1]], mesh.node_xy[nodes[2]], cx, cy);
}

int nearest_node(const MeshTables& mesh, int s, int k, Platform& platform) {
    return walk_to_nearest(mesh, s, k, platform).node;
}

double nearest_distance2(const MeshTables& mesh, int s, int k, Platform& platform) {
    return walk_to_nearest(mesh, s, k, platform).distance2;
}

}  // namespace tesu
