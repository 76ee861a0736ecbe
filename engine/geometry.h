// Numeric operations on the mesh tables shared by the construction and the
// rest of the program. They read the tables and never change them.
#pragma once

#include <array>
#include <vector>

#include "engine/centre_cache.h"
#include "engine/mesh_tables.h"

namespace tesu {

// Squared distance between two points, the measure of the walks and of the
// refinement.
inline double distance2(const Point& a, const Point& b) {
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

// Whether a vp with these nodes lies at infinity: it has no circle.
inline bool at_infinity(const std::array<int, 3>& nodes) {
    return nodes[0] == INFINITE_NODE || nodes[1] == INFINITE_NODE || nodes[2] == INFINITE_NODE;
}

// A turn round a node that does not come back to where it began. Out of
// line: it never happens in a sound mesh.
[[noreturn, gnu::cold, gnu::noinline]] void fail_no_next_ve();

// The ve after e in the turn around node u through vp w; 0 when there is none.
inline int next_ve(const MeshTables& mesh, int e, int w, int u) {
    for (const int f : mesh.vp_ve[w]) {
        // The -1 of a deleted vp names no ve.
        if (f != e && f != DELETED_VP && has_node(mesh, f, u)) return f;
    }
    return 0;
}

// Turns round node u through the tables from node_ve[u], ve by ve, until
// `stop` holds for one: that ve, or 0 after a full turn. A turn passes each
// ve at most once; more steps than there are ves mean the topology loops
// without coming back to where it began.
template <typename Stop>
int turn_until(const MeshTables& mesh, int u, Stop stop) {
    const int e0 = mesh.node_ve[u];
    int e = e0;
    int w = mesh.ve_vp[e0][1];
    for (int steps = 0;; ++steps) {
        if (stop(e)) return e;
        if (steps > mesh.ve_number) fail_no_next_ve();
        const int next = next_ve(mesh, e, w, u);
        if (next == 0) fail_no_next_ve();
        w = other_end(mesh, next, w);
        e = next;
        if (e == e0) return 0;
    }
}

// The first neighbour of node u in turn order for which `pick` holds;
// INFINITE_NODE, never offered, when a full turn finds none.
template <typename Pick>
int first_neighbour(const MeshTables& mesh, int u, Pick pick) {
    int found = INFINITE_NODE;
    turn_until(mesh, u, [&](int e) {
        const int n = other_node(mesh, e, u);
        if (n == INFINITE_NODE || !pick(n)) return false;
        found = n;
        return true;
    });
    return found;
}

// Centre of the circle through p1, p2 and p3: on the perpendicular bisector
// of p1 and p3, equidistant from p2. Collinear points give IEEE infinities or
// NaNs.
inline void circumcentre(const Point& p1, const Point& p2, const Point& p3, double& cx, double& cy) {
    const double x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y, x3 = p3.x, y3 = p3.y;
    const double t = ((y2 - y1) * (y2 - y3) + (x2 - x1) * (x2 - x3)) /
                     (2 * ((y2 - y3) * (x1 - x3) - (x2 - x3) * (y1 - y3)));
    cx = (y3 - y1) * t + (x1 + x3) / 2;
    cy = (x1 - x3) * t + (y1 + y3) / 2;
}

// The circle through p1, p2 and p3, with the radius taken to p1.
inline Circle circle_through(const Point& p1, const Point& p2, const Point& p3) {
    double cx, cy;
    circumcentre(p1, p2, p3, cx, cy);
    return {cx, cy, (cx - p1.x) * (cx - p1.x) + (cy - p1.y) * (cy - p1.y)};
}

// The circumcircle of vp v, with the radius taken to the vp's first node;
// false for a vp at infinity.
inline bool vp_circle(const MeshTables& mesh, int v, Circle& circle) {
    const auto nodes = vp_nodes(mesh, v);
    if (at_infinity(nodes)) return false;
    circle = circle_through(mesh.node_xy[nodes[0]], mesh.node_xy[nodes[1]], mesh.node_xy[nodes[2]]);
    return true;
}

// Squared distance from the centre to p less the squared radius.
inline double circle_test(const Circle& circle, const Point& p) {
    return (circle.cx - p.x) * (circle.cx - p.x) + (circle.cy - p.y) * (circle.cy - p.y) - circle.radius2;
}

// Circle test of node k against the circumcircle of vp v: negative inside,
// 0 on it, positive outside; 1e30 for a vp at infinity. Inline: the
// construction calls it dozens of times per insertion.
inline double incircle_value(const MeshTables& mesh, int v, int k) {
    Circle circle;
    if (!vp_circle(mesh, v, circle)) return 1e30;
    return circle_test(circle, mesh.node_xy[k]);
}

// Centre of the circumcircle of vp v; false, the outputs unwritten, for a
// vp at infinity.
bool vp_centre(const MeshTables& mesh, int v, double& cx, double& cy);

// Whether node q, at squared distance d2 from the point of node k, has no
// neighbour about as near to that point. A walk ends where no neighbour is
// strictly nearer, and only nodes about as near as the nearest can be such
// ends; the second nearest node is always a neighbour of the nearest. So
// when the nearest node has no rival, every walk towards k ends there,
// wherever it starts.
bool has_no_rival(const MeshTables& mesh, int q, int k, double d2);

// The ves of the cell of node u in turn order from node_ve[u], into `ves`
// (cleared first, its storage kept). Each ve joins u to one neighbour, and
// its two end vps are the triangles on either side of that edge.
void cell_ves(const MeshTables& mesh, int u, std::vector<int>& ves);

// The ve joining nodes u and v, 0 when they are not neighbours.
int shared_ve(const MeshTables& mesh, int u, int v);

}  // namespace tesu
