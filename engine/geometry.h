// Numeric operations on the mesh tables shared by the construction and the
// rest of the program. They read the tables and never change them.
#pragma once

#include <vector>

#include "engine/mesh_tables.h"

namespace tesu {

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
    if (nodes[0] == INFINITE_NODE || nodes[1] == INFINITE_NODE || nodes[2] == INFINITE_NODE) return false;
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

struct WalkEnd {
    int node;
    double distance2;
};

// Greedy walk over Delaunay neighbours from node s towards the point of node
// k: the node where it stops and its squared distance to k.
WalkEnd walk_to_nearest(const MeshTables& mesh, int s, int k);

// The same walk, ended early at the first node whose distance to k is 0 or at
// most `reach`: it answers whether any node lies that close without
// finding the nearest one.
WalkEnd walk_within(const MeshTables& mesh, int s, int k, double reach);

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

// Greedy walk over Delaunay neighbours from node s towards the point of node
// k (which need not be in the diagram); the node where it stops.
int nearest_node(const MeshTables& mesh, int s, int k);

// The same walk; the squared distance from node k to where it stops.
double nearest_distance2(const MeshTables& mesh, int s, int k);

}  // namespace tesu
