#include "engine/geometry.h"

#include <cmath>
#include <span>

#include "engine/error.h"

namespace tesu {

namespace {

// Squared distance between two points, the measure of both walks.
double distance2(const Point& a, const Point& b) {
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

[[noreturn, gnu::cold, gnu::noinline]] void fail_no_next_ve() {
    throw computation_error("Not next ve.Error!");
}

// A walk that has come this far is crossing cells that no insertion touches
// any more; shorter ones stay among the newest nodes, whose cells the next
// insertions change again, so keeping those would be wasted work.
constexpr int LONG_WALK = 8;

// The ve after e in the turn around node u through vp w; 0 when there is none.
int next_ve(const MeshTables& mesh, int e, int w, int u) {
    for (const int f : mesh.vp_ve[w]) {
        // The -1 of a deleted vp names no ve.
        if (f != e && f != DELETED_VP && has_node(mesh, f, u)) return f;
    }
    return 0;
}

// The first neighbour of node u, turning through the tables from node_ve[u],
// for which `pick` holds; INFINITE_NODE, never offered, when a full turn
// finds none. A turn passes each ve at most once; more steps than there
// are ves mean the topology loops without coming back to where it began.
template <typename Pick>
int first_neighbour(const MeshTables& mesh, int u, Pick pick) {
    const int e0 = mesh.node_ve[u];
    int e = e0;
    int w = mesh.ve_vp[e0][1];
    for (int steps = 0;; ++steps) {
        const int n = other_node(mesh, e, u);
        if (n != INFINITE_NODE && pick(n)) return n;
        if (steps > mesh.ve_number) fail_no_next_ve();
        const int next = next_ve(mesh, e, w, u);
        if (next == 0) fail_no_next_ve();
        w = other_end(mesh, next, w);
        e = next;
        if (e == e0) return INFINITE_NODE;
    }
}

// Turns all the way round node u through the tables and keeps its cell in
// the walk cache. The cell is usually cold by the time a long walk crosses
// it, so the turn runs both ways from node_ve[u] at once and the look-ups
// of the two halves overlap; where the halves meet, their vps must agree.
// nullptr for a cell larger than the cache holds or a turn that goes
// astray; the walk then turns through the tables and meets the trouble
// itself.
const WalkCache::Cell* cache_cell(const MeshTables& mesh, int u) {
    constexpr int HALF = WalkCache::MAX_DEGREE / 2 + 1;
    // ahead: e0, e1, e2, ... in turn order; behind: e0, e(d-1), e(d-2), ...
    std::array<int, HALF + 1> ahead;
    std::array<int, HALF + 1> behind;
    const int e0 = mesh.node_ve[u];
    ahead[0] = e0;
    behind[0] = e0;
    int w_ahead = mesh.ve_vp[e0][1];
    int w_behind = mesh.ve_vp[e0][0];
    for (int t = 1; t <= HALF; ++t) {
        const int a = next_ve(mesh, ahead[t - 1], w_ahead, u);
        const int b = next_ve(mesh, behind[t - 1], w_behind, u);
        if (a == 0 || b == 0) return nullptr;
        ahead[static_cast<std::size_t>(t)] = a;
        behind[static_cast<std::size_t>(t)] = b;
        int ahead_count = 0;
        if (a == behind[static_cast<std::size_t>(t - 1)]) {
            // An odd number of ves: both halves reached a through one vp.
            if (w_ahead != w_behind) return nullptr;
            ahead_count = t;
        } else if (a == b) {
            // An even number: a is the last ve of both halves.
            if (other_end(mesh, a, w_ahead) != w_behind) return nullptr;
            ahead_count = t + 1;
        } else {
            w_ahead = other_end(mesh, a, w_ahead);
            w_behind = other_end(mesh, b, w_behind);
            continue;
        }
        const int degree = ahead_count + t - 1;
        if (degree > WalkCache::MAX_DEGREE) return nullptr;
        std::array<int, WalkCache::MAX_DEGREE> neighbours;
        for (int i = 0; i < ahead_count; ++i) {
            neighbours[static_cast<std::size_t>(i)] = other_node(mesh, ahead[static_cast<std::size_t>(i)], u);
        }
        for (int i = 1; i < t; ++i) {
            neighbours[static_cast<std::size_t>(degree - i)] =
                other_node(mesh, behind[static_cast<std::size_t>(i)], u);
        }
        return &mesh.walk_cache.store(u, neighbours, degree);
    }
    return nullptr;
}

// The first of the listed neighbours, up to any NO_NODE, strictly nearer to
// the target than `best`, which then holds its distance; INFINITE_NODE when
// there is none.
int first_nearer(const MeshTables& mesh, std::span<const int> neighbours, const Point& target, double& best) {
    for (const int n : neighbours) {
        if (n == WalkCache::NO_NODE) break;
        if (n == INFINITE_NODE) continue;
        const double d = distance2(mesh.node_xy[n], target);
        if (best > d) {
            best = d;
            return n;
        }
    }
    return INFINITE_NODE;
}

// Whether a node at squared distance d2 lies within `reach`; never for a
// negative reach.
bool within(double d2, double reach) { return reach >= 0 && !(d2 > 0 && std::sqrt(d2) > reach); }

// The greedy walk: turn around the cell of the current node and move to the
// first neighbour strictly nearer to k; stop after a full turn without one,
// or at a node within `reach` of k. The newest cell and a cell in the walk
// cache list the same neighbours in the same order as a turn through the
// tables.
WalkEnd walk(const MeshTables& mesh, int s, int k, double reach) {
    const Point target = mesh.node_xy[k];
    int u = s;
    double best = distance2(mesh.node_xy[s], target);
    for (int visits = 0;; ++visits) {
        if (within(best, reach)) return {u, best};
        std::span<const int> listed;
        if (u == mesh.newest_node) {
            listed = {mesh.newest_cell.data(), static_cast<std::size_t>(mesh.newest_degree)};
        } else if (const WalkCache::Cell* cell = mesh.walk_cache.find(u)) {
            listed = cell->neighbours;
        } else if (visits >= LONG_WALK) {
            if (const WalkCache::Cell* built = cache_cell(mesh, u)) listed = built->neighbours;
        }
        if (!listed.empty()) {
            const int nearer = first_nearer(mesh, listed, target, best);
            if (nearer == INFINITE_NODE) return {u, best};
            u = nearer;
            continue;
        }
        const int nearer = first_neighbour(mesh, u, [&](int n) {
            const double d = distance2(mesh.node_xy[n], target);
            if (!(best > d)) return false;
            best = d;
            return true;
        });
        if (nearer == INFINITE_NODE) return {u, best};
        u = nearer;
    }
}

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
    const int e0 = mesh.node_ve[u];
    int e = e0;
    int w = mesh.ve_vp[e0][1];
    do {
        // A turn longer than the ve table never comes back to where it began.
        if (static_cast<int>(ves.size()) > mesh.ve_number) fail_no_next_ve();
        ves.push_back(e);
        const int next = next_ve(mesh, e, w, u);
        if (next == 0) fail_no_next_ve();
        w = other_end(mesh, next, w);
        e = next;
    } while (e != e0);
}

int shared_ve(const MeshTables& mesh, int u, int v) {
    const int e0 = mesh.node_ve[u];
    int e = e0;
    int w = mesh.ve_vp[e0][1];
    for (int steps = 0;; ++steps) {
        if (other_node(mesh, e, u) == v) return e;
        if (steps > mesh.ve_number) fail_no_next_ve();
        const int next = next_ve(mesh, e, w, u);
        if (next == 0) fail_no_next_ve();
        w = other_end(mesh, next, w);
        e = next;
        if (e == e0) return 0;
    }
}

WalkEnd walk_to_nearest(const MeshTables& mesh, int s, int k) { return walk(mesh, s, k, -1.0); }

WalkEnd walk_within(const MeshTables& mesh, int s, int k, double reach) { return walk(mesh, s, k, reach); }

bool vp_centre(const MeshTables& mesh, int v, double& cx, double& cy) {
    const auto nodes = vp_nodes(mesh, v);
    if (nodes[0] == INFINITE_NODE || nodes[1] == INFINITE_NODE || nodes[2] == INFINITE_NODE) return false;
    circumcentre(mesh.node_xy[nodes[0]], mesh.node_xy[nodes[1]], mesh.node_xy[nodes[2]], cx, cy);
    return true;
}

int nearest_node(const MeshTables& mesh, int s, int k) { return walk_to_nearest(mesh, s, k).node; }

double nearest_distance2(const MeshTables& mesh, int s, int k) {
    return walk_to_nearest(mesh, s, k).distance2;
}

}  // namespace tesu
