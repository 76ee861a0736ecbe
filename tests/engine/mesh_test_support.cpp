#include "mesh_test_support.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/voronoi.h"

namespace tesu::testing {

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

// Orientation of (a, b, c): positive when counter-clockwise in x-y axes.
long double orientation(const Point& a, const Point& b, const Point& c) {
    return (static_cast<long double>(b.x) - a.x) * (static_cast<long double>(c.y) - a.y) -
           (static_cast<long double>(b.y) - a.y) * (static_cast<long double>(c.x) - a.x);
}

// True when d lies inside the circle through a, b, c by more than rounding
// error: the classic lifted determinant in extended precision, scaled by the
// sum of the magnitudes of its terms.
bool strictly_inside_circle(const Point& a, const Point& b, const Point& c, const Point& d) {
    const long double adx = static_cast<long double>(a.x) - d.x, ady = static_cast<long double>(a.y) - d.y;
    const long double bdx = static_cast<long double>(b.x) - d.x, bdy = static_cast<long double>(b.y) - d.y;
    const long double cdx = static_cast<long double>(c.x) - d.x, cdy = static_cast<long double>(c.y) - d.y;
    const long double alift = adx * adx + ady * ady;
    const long double blift = bdx * bdx + bdy * bdy;
    const long double clift = cdx * cdx + cdy * cdy;
    const long double det =
        alift * (bdx * cdy - cdx * bdy) + blift * (cdx * ady - adx * cdy) + clift * (adx * bdy - bdx * ady);
    const long double magnitude = alift * (std::fabs(bdx * cdy) + std::fabs(cdx * bdy)) +
                                  blift * (std::fabs(cdx * ady) + std::fabs(adx * cdy)) +
                                  clift * (std::fabs(adx * bdy) + std::fabs(bdx * ady));
    const long double signed_det = orientation(a, b, c) > 0 ? det : -det;
    return signed_det > 1e-9L * magnitude;
}

bool ve_has_node(const MeshTables& mesh, int e, int n) {
    return mesh.ve_node[e][0] == n || mesh.ve_node[e][1] == n;
}

int shared_node_count(const MeshTables& mesh, int e, int f) {
    const auto& a = mesh.ve_node[e];
    const auto& b = mesh.ve_node[f];
    return (a[0] == b[0] || a[0] == b[1]) + (a[1] == b[0] || a[1] == b[1]);
}

// The node of vp v that is neither a nor b.
int third_node(const MeshTables& mesh, int v, int a, int b) {
    for (const int n : vp_nodes(mesh, v)) {
        if (n != a && n != b) return n;
    }
    return -1;
}

AssertionResult check_vp(const MeshTables& mesh, int v) {
    const auto& slots = mesh.vp_ve[v];
    for (const int e : slots) {
        if (e < 1 || e > mesh.ve_number) return AssertionFailure() << "vp " << v << " holds ve " << e;
        if (!ve_is_live(mesh, e)) return AssertionFailure() << "vp " << v << " holds dead ve " << e;
        if (mesh.ve_vp[e][0] != v && mesh.ve_vp[e][1] != v) {
            return AssertionFailure() << "ve " << e << " in vp " << v << " does not end there";
        }
    }
    if (slots[0] == slots[1] || slots[0] == slots[2] || slots[1] == slots[2]) {
        return AssertionFailure() << "vp " << v << " holds a ve twice";
    }
    if (shared_node_count(mesh, slots[0], slots[1]) != 1 ||
        shared_node_count(mesh, slots[0], slots[2]) != 1 ||
        shared_node_count(mesh, slots[1], slots[2]) != 1) {
        return AssertionFailure() << "the ves of vp " << v << " do not pairwise share one node";
    }
    auto nodes = vp_nodes(mesh, v);
    std::sort(nodes.begin(), nodes.end());
    if (nodes[0] == nodes[1] || nodes[1] == nodes[2]) {
        return AssertionFailure() << "vp " << v << " names a node twice";
    }
    for (const int e : slots) {
        for (const int n : mesh.ve_node[e]) {
            if (!std::binary_search(nodes.begin(), nodes.end(), n)) {
                return AssertionFailure() << "ve " << e << " of vp " << v << " names a fourth node " << n;
            }
        }
    }
    const bool at_infinity = nodes[0] == INFINITE_NODE;
    if (at_infinity != (v <= 3)) return AssertionFailure() << "vp " << v << " wrongly involves node 0 or not";
    if (nodes[2] > mesh.number) return AssertionFailure() << "vp " << v << " names node " << nodes[2];
    return AssertionSuccess();
}

AssertionResult check_ve(const MeshTables& mesh, int e) {
    const auto& ends = mesh.ve_vp[e];
    if (ends[0] == ends[1]) return AssertionFailure() << "ve " << e << " has equal ends";
    for (const int v : ends) {
        const auto& slots = mesh.vp_ve[v];
        if (std::find(slots.begin(), slots.end(), e) == slots.end()) {
            return AssertionFailure() << "live ve " << e << " is missing from its end vp " << v;
        }
    }
    return AssertionSuccess();
}

// For a ve between two finite vps: the two triangles lie on opposite sides
// of their shared edge, and neither third node is inside the other's circle.
AssertionResult check_delaunay_edge(const MeshTables& mesh, int e) {
    const int a = mesh.ve_node[e][0];
    const int b = mesh.ve_node[e][1];
    const int c = third_node(mesh, mesh.ve_vp[e][0], a, b);
    const int d = third_node(mesh, mesh.ve_vp[e][1], a, b);
    const Point &pa = mesh.node_xy[a], &pb = mesh.node_xy[b], &pc = mesh.node_xy[c], &pd = mesh.node_xy[d];
    if (orientation(pa, pb, pc) * orientation(pa, pb, pd) >= 0) {
        return AssertionFailure() << "the triangles of ve " << e << " overlap";
    }
    if (strictly_inside_circle(pa, pb, pc, pd)) {
        return AssertionFailure() << "node " << d << " lies inside the circle of " << a << ", " << b << ", "
                                  << c;
    }
    return AssertionSuccess();
}

AssertionResult check_empty_circle(const MeshTables& mesh, int v) {
    const auto nodes = vp_nodes(mesh, v);
    const Point &a = mesh.node_xy[nodes[0]], &b = mesh.node_xy[nodes[1]], &c = mesh.node_xy[nodes[2]];
    for (int n = 1; n <= mesh.number; ++n) {
        if (strictly_inside_circle(a, b, c, mesh.node_xy[n])) {
            return AssertionFailure() << "node " << n << " lies inside the circle of vp " << v;
        }
    }
    return AssertionSuccess();
}

}  // namespace

std::unique_ptr<HeadlessPlatform> make_throwing_platform() {
    auto platform = std::make_unique<HeadlessPlatform>();
    platform->on_fatal = [](int status) { throw FatalEnding{status}; };
    return platform;
}

std::unique_ptr<MeshTables> make_initial_mesh() {
    auto mesh = std::make_unique<MeshTables>();
    init_mesh(*mesh);
    return mesh;
}

void insert_point(MeshTables& mesh, Platform& platform, double x, double y) {
    const int k = mesh.number + 1;
    mesh.node_xy[k] = {x, y};
    insert_node(mesh, k, platform);
    mesh.number = k;
}

AssertionResult check_invariants(const MeshTables& mesh, bool brute_force_delaunay) {
    const int inserted = mesh.number - 3;
    if (mesh.vp_number > MAX_NUMBER || mesh.ve_number > MAX_NUMBER) {
        return AssertionFailure() << "counters above MAX_NUMBER";
    }
    for (int v = 1; v <= 3; ++v) {
        if (vp_is_deleted(mesh, v)) return AssertionFailure() << "vp at infinity " << v << " deleted";
    }
    int live_vps = 0;
    for (int v = 1; v <= mesh.vp_number; ++v) {
        if (vp_is_deleted(mesh, v)) continue;
        ++live_vps;
        if (auto result = check_vp(mesh, v); !result) return result;
        if (brute_force_delaunay && v >= 4) {
            if (auto result = check_empty_circle(mesh, v); !result) return result;
        }
    }
    int live_ves = 0;
    for (int e = 1; e <= mesh.ve_number; ++e) {
        if (!ve_is_live(mesh, e)) continue;
        ++live_ves;
        if (auto result = check_ve(mesh, e); !result) return result;
        if (mesh.ve_vp[e][0] >= 4 && mesh.ve_vp[e][1] >= 4) {
            if (auto result = check_delaunay_edge(mesh, e); !result) return result;
        }
    }
    if (live_vps != 4 + 2 * inserted || live_ves != 6 + 3 * inserted) {
        return AssertionFailure() << live_vps << " live vps and " << live_ves << " live ves after "
                                  << inserted << " insertions";
    }
    if (mesh.vp_number - 4 != mesh.ve_number - 6) return AssertionFailure() << "unequal row growth";
    for (int n = 1; n <= mesh.number; ++n) {
        const int e = mesh.node_ve[n];
        if (e < 1 || e > mesh.ve_number || !ve_is_live(mesh, e) || !ve_has_node(mesh, e, n)) {
            return AssertionFailure() << "node_ve of node " << n << " is " << e;
        }
    }
    return AssertionSuccess();
}

}  // namespace tesu::testing
