#include "engine/voronoi.h"

#include <array>
#include <string>

#include "engine/geometry.h"

namespace tesu {

namespace {

// For each cavity entry and each of its three slots: the cavity entry of the
// vp across that slot's ve, or 0 when that vp lies outside the cavity. The
// search fills it as it goes, so that the rebuild needs no membership scans.
using CavityLinks = std::array<std::array<int, 3>, CAVITY_CAPACITY>;

void fail(Platform& platform, const std::string& text) {
    platform.fatal(COMPUTATION_ERROR_CAPTION, text, FatalCause::computation);
}

void fail_no_next_ve(Platform& platform) { fail(platform, "Not next ve.Error!"); }

void fail_missing_ve(Platform& platform, int e, int q) {
    fail(platform, format_message("存在しない辺 i=%d min_p=%d \n", e, q));
}

void fail_too_many_new_vps(const MeshTables& mesh, Platform& platform) {
    fail(platform,
         format_message(
             "新たに付加するvpが511を超えました。\n密度が濃すぎます。\nパラメータを調節して下さい。\n"
             "MAX_NUMBER!!! number =%d \n vp_number= %d,ve_number= %d\n",
             mesh.number, mesh.vp_number, mesh.ve_number));
}

static_assert(CavityIndex::SIZE >= 2 * CAVITY_CAPACITY);

// Records cavity_vp[1] to cavity_vp[cavity_count] in the cavity index.
void index_cavity(MeshTables& mesh) {
    mesh.cavity_index.start();
    for (int i = 1; i <= mesh.cavity_count; ++i) mesh.cavity_index.add(mesh.cavity_vp[i], i);
}

// incircle_value through the centre cache.
double cached_incircle_value(MeshTables& mesh, int v, int k) {
    if (const Circle* held = mesh.centre_cache.find(v)) return circle_test(*held, mesh.node_xy[k]);
    Circle circle;
    if (!vp_circle(mesh, v, circle)) return 1e30;
    mesh.centre_cache.store(v, circle);
    return circle_test(circle, mesh.node_xy[k]);
}

// Puts the circle of new vp v, whose slot 0 is border ve f, into the
// centre cache while its nodes are at hand: those of f, then k, the order
// in which vp_nodes gives them. The next insertions test nearly every new
// vp, and here the division is off their critical path.
void store_new_circle(MeshTables& mesh, int v, int f, int k) {
    const auto& nodes = mesh.ve_node[f];
    if (nodes[0] == INFINITE_NODE || nodes[1] == INFINITE_NODE) return;
    mesh.centre_cache.store(v,
                            circle_through(mesh.node_xy[nodes[0]], mesh.node_xy[nodes[1]], mesh.node_xy[k]));
}

// Side of ve e that holds vp b: the end to receive the new vp.
int side_of(const MeshTables& mesh, int e, int b) { return mesh.ve_vp[e][0] == b ? 0 : 1; }

// One turn around the cell of q from ve e0; the vp with the smallest circle
// test value against k, the first met among equal values.
int find_start_vp(MeshTables& mesh, int q, int e0, int k, Platform& platform) {
    const int start = mesh.ve_vp[e0][0];
    int best = start;
    double best_value = cached_incircle_value(mesh, start, k);
    int e = e0;
    int previous = start;
    for (int steps = 0;; ++steps) {
        const int vp = other_end(mesh, e, previous);
        if (vp == start) return best;
        // A deleted vp or a turn longer than the ve table means the cell is
        // not closed; going on would read past the tables or never end.
        if (vp_is_deleted(mesh, vp) || steps > mesh.ve_number) fail_missing_ve(platform, e, q);
        const double value = cached_incircle_value(mesh, vp, k);
        if (best_value > value) {
            best = vp;
            best_value = value;
        }
        const auto& slots = mesh.vp_ve[vp];
        const int first = slots[0] == e ? slots[2] : slots[0];
        const int second = slots[1] == e ? slots[2] : slots[1];
        e = has_node(mesh, first, q) ? first : second;
        previous = vp;
    }
}

// Depth-first from vp v, cavity entry `entry`, reached from the vp of
// cavity entry `parent` (0 for the start vp): each neighbour whose circle
// holds k joins the cavity and is searched at once, before the next slot.
void collect_from(MeshTables& mesh, CavityLinks& links, int v, int entry, int parent, int k,
                  Platform& platform) {
    if (vp_is_deleted(mesh, v)) fail(platform, "点無しError");
    const int parent_vp = parent != 0 ? mesh.cavity_vp[parent] : 0;
    // A circle test does not depend on the cavity, so the three neighbours
    // are tested up front and their look-ups overlap; whether each one joins
    // is still decided slot by slot, after the search from the slots before.
    // A deleted neighbour is not tested: its slot 0 names no ve.
    std::array<int, 3> across;
    std::array<double, 3> value;
    for (int slot = 0; slot < 3; ++slot) {
        const int w = other_end(mesh, mesh.vp_ve[v][slot], v);
        across[slot] = w;
        value[slot] = w == parent_vp || vp_is_deleted(mesh, w) ? 0.0 : cached_incircle_value(mesh, w, k);
    }
    for (int slot = 0; slot < 3; ++slot) {
        const int w = across[slot];
        int position = w == parent_vp ? parent : mesh.cavity_index.position(w);
        if (position == 0) {
            // A live vp never borders a deleted one.
            if (vp_is_deleted(mesh, w)) fail(platform, "点無しError");
            if (value[slot] < 0.0) {
                position = ++mesh.cavity_count;
                mesh.cavity_vp[position] = w;
                mesh.cavity_index.add(w, position);
                links[entry][slot] = position;
                if (position >= CAVITY_LIMIT) fail_too_many_new_vps(mesh, platform);
                collect_from(mesh, links, w, position, entry, k, platform);
                continue;
            }
        }
        links[entry][slot] = position;
    }
}

// The ring of new vps and ves around k, then deletion and re-linking.
void rebuild_from(MeshTables& mesh, const CavityLinks& links, int k, Platform& platform) {
    // Find a border ve: walk through the cavity until a ve leads out of it.
    // The cavity is a tree of vps, so a walk that never turns back leaves it
    // within cavity_count steps; a longer one is going round a loop.
    int entry = 1;
    int b = mesh.cavity_vp[1];
    int slot = 0;
    int e = mesh.vp_ve[b][0];
    for (int steps = 0; links[entry][slot] != 0; ++steps) {
        if (steps > mesh.cavity_count) fail_no_next_ve(platform);
        entry = links[entry][slot];
        b = mesh.cavity_vp[entry];
        slot = mesh.vp_ve[b][0] == e ? 1 : 0;
        e = mesh.vp_ve[b][slot];
    }

    const int stop_node = mesh.ve_node[e][1];
    int pivot = mesh.ve_node[e][0];
    const int v0 = mesh.vp_number;
    const int e0 = mesh.ve_number;
    int j = 1;
    mesh.vp_ve[v0 + 1][0] = e;
    mesh.vp_ve[v0 + 1][1] = e0 + 1;
    mesh.ve_vp[e0 + 1] = {v0 + 1, v0 + 2};
    mesh.ve_node[e0 + 1] = {k, pivot};
    mesh.node_ve[k] = e0 + 1;
    mesh.node_ve[pivot] = e0 + 1;
    mesh.walk_cache.forget(pivot);
    mesh.ring[1] = {e, v0 + 1, side_of(mesh, e, b)};
    store_new_circle(mesh, v0 + 1, e, k);
    // A turn around k meets the last pivot first, then the others in order.
    mesh.newest_cell[0] = stop_node;
    mesh.newest_cell[1] = pivot;

    // Turn around each pivot through the cavity to the next border ve; each
    // border ve gives one new vp and the ve between it and the next one.
    for (int turn_steps = 0;;) {
        const auto& slots = mesh.vp_ve[b];
        slot = 0;
        while (slot < 3 && (slots[slot] == e || !has_node(mesh, slots[slot], pivot))) ++slot;
        if (slot == 3) fail_no_next_ve(platform);
        const int f = slots[slot];
        if (links[entry][slot] != 0) {
            // The fan of one pivot inside the cavity has fewer vps than the
            // cavity; a longer turn never reaches the border.
            if (++turn_steps > mesh.cavity_count) fail_no_next_ve(platform);
            entry = links[entry][slot];
            b = mesh.cavity_vp[entry];
            e = f;
            continue;
        }
        if (j + 1 >= RING_CAPACITY) fail_too_many_new_vps(mesh, platform);
        turn_steps = 0;
        const int next_pivot = other_node(mesh, f, pivot);
        ++j;
        mesh.vp_ve[v0 + j] = {f, e0 + j, e0 + j - 1};
        mesh.ve_vp[e0 + j] = {v0 + j, v0 + j + 1};
        mesh.ve_node[e0 + j] = {k, next_pivot};
        mesh.node_ve[k] = e0 + j;
        mesh.node_ve[next_pivot] = e0 + j;
        mesh.walk_cache.forget(next_pivot);
        mesh.ring[j] = {f, v0 + j, side_of(mesh, f, b)};
        store_new_circle(mesh, v0 + j, f, k);
        if (next_pivot == stop_node) break;
        mesh.newest_cell[static_cast<std::size_t>(j)] = next_pivot;
        e = f;
        pivot = next_pivot;
    }

    // Close the ring: the last new ve joins the last new vp to the first.
    mesh.ve_number = e0 + j;
    mesh.ve_vp[e0 + j][1] = v0 + 1;
    mesh.vp_ve[v0 + 1][2] = e0 + j;
    mesh.vp_number = v0 + j;
    mesh.newest_node = k;
    mesh.newest_degree = j;

    // Only now that every new row is written may the cavity go and the border
    // ves be re-linked: the turning above reads both.
    for (int i = 1; i <= mesh.cavity_count; ++i) mesh.vp_ve[mesh.cavity_vp[i]][0] = DELETED_VP;
    for (int i = 1; i <= j; ++i) {
        const RingRow& row = mesh.ring[i];
        mesh.ve_vp[row.boundary_ve][row.side] = row.new_vp;
    }
}

}  // namespace

void insert_node(MeshTables& mesh, int k, Platform& platform) {
    const int q = nearest_node(mesh, mesh.number, k, platform);
    const int e0 = mesh.node_ve[q];
    if (vp_is_deleted(mesh, mesh.ve_vp[e0][0]) || vp_is_deleted(mesh, mesh.ve_vp[e0][1])) {
        fail_missing_ve(platform, e0, q);
    }
    const int start = find_start_vp(mesh, q, e0, k, platform);
    mesh.cavity_count = 1;
    mesh.cavity_vp[1] = start;
    index_cavity(mesh);
    CavityLinks links;
    collect_from(mesh, links, start, 1, 0, k, platform);
    rebuild_from(mesh, links, k, platform);

    if (mesh.vp_number > MAX_NUMBER || mesh.ve_number > MAX_NUMBER) {
        fail(platform,
             format_message(
                 "生成される要素の個数が多すぎます。\nもっと数を減らすようにパラメータを調節して下さい。\n"
                 "MAX_NUMBER!!! number =%d \n vp_number= %d,ve_number= %d\n",
                 mesh.number, mesh.vp_number, mesh.ve_number));
    }
}

void collect_cavity(MeshTables& mesh, int v, int k, Platform& platform) {
    index_cavity(mesh);
    CavityLinks links;
    collect_from(mesh, links, v, mesh.cavity_index.position(v), 0, k, platform);
}

void rebuild_cavity(MeshTables& mesh, int k, Platform& platform) {
    index_cavity(mesh);
    CavityLinks links;
    for (int i = 1; i <= mesh.cavity_count; ++i) {
        const int v = mesh.cavity_vp[i];
        for (int slot = 0; slot < 3; ++slot) {
            links[i][slot] = mesh.cavity_index.position(other_end(mesh, mesh.vp_ve[v][slot], v));
        }
    }
    rebuild_from(mesh, links, k, platform);
}

}  // namespace tesu
