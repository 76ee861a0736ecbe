// The walks of the insertion object: through the newest cell and the walk
// cache where they can, through the tables otherwise.
#include <array>
#include <cmath>
#include <span>

#include "engine/geometry.h"
#include "engine/voronoi.h"

namespace tesu {

namespace {

// A walk that has come this far is crossing cells that no insertion touches
// any more; shorter ones stay among the newest nodes, whose cells the next
// insertions change again, so keeping those would be wasted work.
constexpr int LONG_WALK = 8;

// Turns all the way round node u through the tables and keeps its cell in
// the walk cache. The cell is usually cold by the time a long walk crosses
// it, so the turn runs both ways from node_ve[u] at once and the look-ups
// of the two halves overlap; where the halves meet, their vps must agree.
// nullptr for a cell larger than the cache holds or a turn that goes
// astray; the walk then turns through the tables and meets the trouble
// itself.
const WalkCache::Cell* cache_cell(const MeshTables& mesh, WalkCache& cells, int u) {
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
        return &cells.store(u, neighbours, degree);
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
WalkEnd walk(const MeshTables& mesh, InsertionWork& work, int s, int k, double reach) {
    const Point target = mesh.node_xy[k];
    int u = s;
    double best = distance2(mesh.node_xy[s], target);
    for (int visits = 0;; ++visits) {
        if (within(best, reach)) return {u, best};
        std::span<const int> listed;
        if (u == work.newest_node) {
            listed = {work.newest_cell.data(), static_cast<std::size_t>(work.newest_degree)};
        } else if (const WalkCache::Cell* cell = work.walk_cache.find(u)) {
            listed = cell->neighbours;
        } else if (visits >= LONG_WALK) {
            if (const WalkCache::Cell* built = cache_cell(mesh, work.walk_cache, u))
                listed = built->neighbours;
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

}  // namespace

WalkEnd VoronoiBuilder::walk_to_nearest(int s, int k) { return walk(*mesh_, work_, s, k, -1.0); }

WalkEnd VoronoiBuilder::walk_within(int s, int k, double reach) { return walk(*mesh_, work_, s, k, reach); }

}  // namespace tesu
