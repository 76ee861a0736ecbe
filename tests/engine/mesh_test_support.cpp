#include "mesh_test_support.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/geometry.h"
#include "support/circle_check.h"

namespace tesu::testing {

namespace {

using ::testing::AssertionFailure;
int shared_nodes(const MeshTables& mesh, int e, int f) {
    const auto &a = mesh.ve_node[e], &b = mesh.ve_node[f];
    return (a[0] == b[0] || a[0] == b[1]) + (a[1] == b[0] || a[1] == b[1]);
}

const Point& third_point(const MeshTables& mesh, int v, const std::array<int, 2>& edge) {
    const auto nodes = vp_nodes(mesh, v);
    return mesh.node_xy[*std::find_if(nodes.begin(), nodes.end(),
                                      [&](int n) { return n != edge[0] && n != edge[1]; })];
}

bool has(const auto& row, int value) { return std::find(row.begin(), row.end(), value) != row.end(); }

}  // namespace

std::vector<int> turn_order(const MeshTables& mesh, int n) {
    std::vector<int> order;
    const int e0 = mesh.node_ve[n];
    int e = e0;
    int w = mesh.ve_vp[e0][1];
    do {
        order.push_back(other_node(mesh, e, n));
        const auto& slots = mesh.vp_ve[w];
        const auto next = std::find_if(slots.begin(), slots.end(),
                                       [&](int f) { return f != e && has(mesh.ve_node[f], n); });
        if (next == slots.end() || order.size() > static_cast<std::size_t>(mesh.number)) return {};
        e = *next;
        w = other_end(mesh, e, w);
    } while (e != e0);
    return order;
}

void insert_point(VoronoiBuilder& builder, double x, double y) {
    MeshTables& mesh = builder.mesh();
    const int k = mesh.number + 1;
    mesh.node_xy[k] = {x, y};
    builder.insert_node(k);
    mesh.number = k;
}

int vp_row(const MeshTables& mesh, int serial) {
    for (int v = 1; v <= mesh.vp_pool.highest_row; ++v) {
        if (!vp_is_deleted(mesh, v) && mesh.vp_serial[v] == serial) return v;
    }
    return 0;
}

int ve_row(const MeshTables& mesh, int serial) {
    for (int e = 1; e <= mesh.ve_pool.highest_row; ++e) {
        if (ve_is_live(mesh, e) && mesh.ve_serial[e] == serial) return e;
    }
    return 0;
}

namespace {

// Rows 1 to the highest written are each live or free, never both; the live
// ones carry distinct creation numbers up to `created`.
::testing::AssertionResult check_pool(const RowPool& pool, int created, auto is_live, auto next_free,
                                      auto serial_of) {
    std::vector<char> free(static_cast<std::size_t>(pool.highest_row) + 1, 0);
    for (int row = pool.first_free; row != 0; row = next_free(row)) {
        if (row < 1 || row > pool.highest_row || free[static_cast<std::size_t>(row)] || is_live(row)) {
            return AssertionFailure() << "free row " << row;
        }
        free[static_cast<std::size_t>(row)] = 1;
    }
    std::vector<int> serials;
    for (int row = 1; row <= pool.highest_row; ++row) {
        if (!is_live(row) && !free[static_cast<std::size_t>(row)])
            return AssertionFailure() << "lost row " << row;
        if (is_live(row)) serials.push_back(serial_of(row));
    }
    std::sort(serials.begin(), serials.end());
    if (std::adjacent_find(serials.begin(), serials.end()) != serials.end() ||
        (!serials.empty() && (serials.front() < 1 || serials.back() > created))) {
        return AssertionFailure() << "creation numbers";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult check_invariants(const VoronoiBuilder& builder, bool brute_force) {
    const MeshTables& mesh = builder.mesh();
    const InsertionWork& work = builder.work();
    if (mesh.vp_number > MAX_NUMBER || mesh.ve_number > MAX_NUMBER ||
        mesh.vp_number - 4 != mesh.ve_number - 6) {
        return AssertionFailure() << "counters " << mesh.vp_number << ", " << mesh.ve_number;
    }
    if (auto pools = check_pool(
            mesh.vp_pool, mesh.vp_number, [&](int v) { return !vp_is_deleted(mesh, v); },
            [&](int v) { return next_free_vp_row(mesh, v); }, [&](int v) { return mesh.vp_serial[v]; });
        !pools) {
        return pools << " of the vp table";
    }
    if (auto pools = check_pool(
            mesh.ve_pool, mesh.ve_number, [&](int e) { return ve_is_live(mesh, e); },
            [&](int e) { return next_free_ve_row(mesh, e); }, [&](int e) { return mesh.ve_serial[e]; });
        !pools) {
        return pools << " of the ve table";
    }
    const int vp_rows = mesh.vp_pool.highest_row;
    const int ve_rows = mesh.ve_pool.highest_row;
    int live_vps = 0, live_ves = 0;
    for (int v = 1; v <= vp_rows; ++v) {
        if (vp_is_deleted(mesh, v)) continue;
        ++live_vps;
        const auto& slots = mesh.vp_ve[v];
        for (int s = 0; s < 3; ++s) {
            const int e = slots[s];
            if (e < 1 || e > ve_rows || !ve_is_live(mesh, e) || !has(mesh.ve_vp[e], v) ||
                shared_nodes(mesh, e, slots[(s + 1) % 3]) != 1) {
                return AssertionFailure() << "vp " << v << ", slot " << s;
            }
        }
        auto nodes = vp_nodes(mesh, v);
        for (const int e : slots) {
            if (!has(nodes, mesh.ve_node[e][0]) || !has(nodes, mesh.ve_node[e][1]))
                return AssertionFailure() << "ve " << e << " of vp " << v << " joins other nodes";
        }
        if (const Circle* held = work.centre_cache.find(v); held && !at_infinity(nodes)) {
            const Circle circle =
                circle_through(mesh.node_xy[nodes[0]], mesh.node_xy[nodes[1]], mesh.node_xy[nodes[2]]);
            if (held->cx != circle.cx || held->cy != circle.cy || held->radius2 != circle.radius2)
                return AssertionFailure() << "centre cache circle of vp " << v;
        }
        std::sort(nodes.begin(), nodes.end());
        if (nodes[0] == nodes[1] || nodes[1] == nodes[2] || nodes[2] > mesh.number ||
            (nodes[0] == 0) != (v <= 3)) {
            return AssertionFailure() << "nodes of vp " << v;
        }
        for (int n = 1; brute_force && v > 3 && n <= mesh.number; ++n) {
            if (inside_circle(mesh.node_xy[nodes[0]], mesh.node_xy[nodes[1]], mesh.node_xy[nodes[2]],
                              mesh.node_xy[n])) {
                return AssertionFailure() << "node " << n << " inside the circle of vp " << v;
            }
        }
    }
    for (int e = 1; e <= ve_rows; ++e) {
        if (!ve_is_live(mesh, e)) continue;
        ++live_ves;
        const auto& ends = mesh.ve_vp[e];
        if (ends[0] == ends[1] || !has(mesh.vp_ve[ends[0]], e) || !has(mesh.vp_ve[ends[1]], e)) {
            return AssertionFailure() << "ends of ve " << e;
        }
        if (ends[0] <= 3 || ends[1] <= 3) continue;
        // The two triangles of a Delaunay edge lie on either side of it, and
        // neither holds the other's third node in its circle.
        const auto& edge = mesh.ve_node[e];
        const Point &a = mesh.node_xy[edge[0]], &b = mesh.node_xy[edge[1]];
        const Point &c = third_point(mesh, ends[0], edge), &d = third_point(mesh, ends[1], edge);
        if (orientation(a, b, c) * orientation(a, b, d) >= 0 || inside_circle(a, b, c, d)) {
            return AssertionFailure() << "triangles of ve " << e;
        }
    }
    const int inserted = mesh.number - 3;
    if (live_vps != 4 + 2 * inserted || live_ves != 6 + 3 * inserted) {
        return AssertionFailure() << live_vps << " vps, " << live_ves << " ves live after " << inserted;
    }
    for (int n = 1; n <= mesh.number; ++n) {
        const int e = mesh.node_ve[n];
        if (e < 1 || e > ve_rows || !ve_is_live(mesh, e) || !has(mesh.ve_node[e], n)) {
            return AssertionFailure() << "node_ve of node " << n;
        }
        if (turn_order(mesh, n).empty()) return AssertionFailure() << "cell of node " << n << " not closed";
        if (const WalkCache::Cell* cell = work.walk_cache.find(n)) {
            const auto listed =
                std::vector<int>(cell->neighbours.begin(), cell->neighbours.begin() + cell->degree());
            if (listed != turn_order(mesh, n)) return AssertionFailure() << "walk cache cell of node " << n;
        }
    }
    if (work.newest_node != INFINITE_NODE) {
        const auto newest =
            std::vector<int>(work.newest_cell.data(), work.newest_cell.data() + work.newest_degree);
        if (newest != turn_order(mesh, work.newest_node)) return AssertionFailure() << "newest cell";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tesu::testing
