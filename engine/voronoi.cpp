#include "engine/voronoi.h"

#include <array>
#include <cstddef>
#include <string>

#include "engine/error.h"
#include "engine/format_message.h"
#include "engine/geometry.h"

namespace tesu {

namespace {

// The failures are kept out of line: they never happen in a sound mesh, and
// their messages would only crowd the code of the hot loops.
[[noreturn, gnu::cold, gnu::noinline]] void fail_no_point() { throw computation_error("点無しError"); }

[[noreturn, gnu::cold, gnu::noinline]] void fail_missing_ve(int e, int q) {
    throw computation_error(format_message("存在しない辺 i=%d min_p=%d \n", e, q));
}

[[noreturn, gnu::cold, gnu::noinline]] void fail_too_many(const MeshTables& mesh) {
    throw computation_error(
        format_message(
            "生成される要素の個数が多すぎます。\nもっと数を減らすようにパラメータを調節して下さい。\n"
            "MAX_NUMBER!!! number =%d \n vp_number= %d,ve_number= %d\n",
            mesh.number, mesh.vp_number, mesh.ve_number),
        ErrorCause::capacity);
}

// While the insertion gathers its cavity, each vp in it carries minus its
// place in cavity_vp instead of its creation number: the search reads the
// row anyway, and the row is freed when the insertion ends.
void mark_in_cavity(MeshTables& mesh, int v, int position) { mesh.vp_serial[v] = -position; }

// The place of vp v in cavity_vp, 0 when it is not in the cavity.
int cavity_position(const MeshTables& mesh, int v) {
    const int serial = mesh.vp_serial[v];
    return serial < 0 ? -serial : 0;
}

// Marks cavity_vp[1] to cavity_vp[cavity_count] with their places.
void mark_cavity(MeshTables& mesh, const InsertionWork& work) {
    for (int i = 1; i <= work.cavity_count; ++i) mark_in_cavity(mesh, work.cavity_vp[i], i);
}

// incircle_value for a vp whose circle the cache does not hold; the circle
// is kept for the next test.
[[gnu::noinline]] double uncached_incircle_value(const MeshTables& mesh, CentreCache& circles, int v, int k) {
    Circle circle;
    if (!vp_circle(mesh, v, circle)) return 1e30;
    circles.store(v, circle);
    return circle_test(circle, mesh.node_xy[k]);
}

// incircle_value through the centre cache. Inline: the circle is held for
// most tests, and then the test is a few instructions.
[[gnu::always_inline]] inline double cached_incircle_value(const MeshTables& mesh, InsertionWork& work, int v,
                                                           int k) {
    if (const Circle* held = work.centre_cache.find(v)) return circle_test(*held, mesh.node_xy[k]);
    return uncached_incircle_value(mesh, work.centre_cache, v, k);
}

// Puts the circle of new vp v, whose slot 0 is border ve f, into the
// centre cache while its nodes are at hand: those of f, then k, the order
// in which vp_nodes gives them. The next insertions test nearly every new
// vp, and here the division is off their critical path. A vp at infinity
// has no circle, and the row may hold the circle of a vp freed before.
void store_new_circle(const MeshTables& mesh, InsertionWork& work, int v, int f, int k) {
    const auto& nodes = mesh.ve_node[f];
    if (nodes[0] == INFINITE_NODE || nodes[1] == INFINITE_NODE) {
        work.centre_cache.forget(v);
        return;
    }
    work.centre_cache.store(v,
                            circle_through(mesh.node_xy[nodes[0]], mesh.node_xy[nodes[1]], mesh.node_xy[k]));
}

// Side of ve e that holds vp b: the end to receive the new vp.
int side_of(const MeshTables& mesh, int e, int b) { return mesh.ve_vp[e][0] == b ? 0 : 1; }

// One turn around the cell of q from ve e0; the vp with the smallest circle
// test value against k, the first met among equal values.
int find_start_vp(const MeshTables& mesh, InsertionWork& work, int q, int e0, int k) {
    const int start = mesh.ve_vp[e0][0];
    int best = start;
    double best_value = cached_incircle_value(mesh, work, start, k);
    int e = e0;
    int previous = start;
    for (int steps = 0;; ++steps) {
        const int vp = other_end(mesh, e, previous);
        if (vp == start) return best;
        // A deleted vp or a turn longer than the ve table means the cell is
        // not closed; going on would read past the tables or never end.
        if (vp_is_deleted(mesh, vp) || steps > mesh.ve_pool.highest_row) fail_missing_ve(e, q);
        const double value = cached_incircle_value(mesh, work, vp, k);
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

// Starts looking at the neighbours of vp v, cavity entry `entry`, reached
// from cavity entry `parent` (0 for the start vp), at depth `depth` of the
// search. A circle test does not depend on the cavity, so the three
// neighbours are tested up front and their look-ups overlap; whether each
// one joins is still decided slot by slot, after the search from the slots
// before. A deleted neighbour is not tested: its slot 0 names no ve.
[[gnu::always_inline]] inline void start_search_step(const MeshTables& mesh, InsertionWork& work, int depth,
                                                     int v, int entry, int parent, int parent_vp, int k) {
    if (vp_is_deleted(mesh, v)) fail_no_point();
    CavitySearchStep& step = work.cavity_search[depth];
    step.entry = entry;
    step.parent = parent;
    step.parent_vp = parent_vp;
    step.next_slot = 0;
    for (int slot = 0; slot < 3; ++slot) {
        const int w = other_end(mesh, mesh.vp_ve[v][slot], v);
        step.across[slot] = w;
        step.value[slot] =
            w == step.parent_vp || vp_is_deleted(mesh, w) ? 0.0 : cached_incircle_value(mesh, work, w, k);
    }
}

// Depth-first from cavity vp v, cavity entry `entry`: each neighbour whose
// circle holds k joins the cavity and is searched at once, before the next
// slot. The search keeps its own stack, as a cavity may hold any number of
// vps. Fills cavity_links for every slot of every entry. With
// `keep_serials` the creation number of each vp it marks goes to
// cavity_serial first, so that the insertion can still be undone.
template <bool keep_serials>
void collect_from(MeshTables& mesh, InsertionWork& work, int v, int entry, int k) {
    // Raw rows in locals: the compiler cannot tell that the stores below
    // leave the lists themselves alone. They are fetched again after growth.
    std::array<int, 3>* links = work.cavity_links.data();
    int depth = 0;
    start_search_step(mesh, work, depth, v, entry, 0, 0, k);
    CavitySearchStep* steps = work.cavity_search.data();
    while (depth >= 0) {
        CavitySearchStep& step = steps[depth];
        int slot = step.next_slot;
        for (; slot < 3; ++slot) {
            const int w = step.across[slot];
            int position = w == step.parent_vp ? step.parent : cavity_position(mesh, w);
            if (position == 0) {
                // A live vp never borders a deleted one.
                if (vp_is_deleted(mesh, w)) fail_no_point();
                if (step.value[slot] < 0.0) break;
            }
            links[step.entry][slot] = position;
        }
        if (slot == 3) {
            --depth;
            continue;
        }
        // The vp across `slot` joins the cavity and is searched at once; this
        // one goes on after it, from the next slot.
        step.next_slot = slot + 1;
        const int from = step.entry;
        const int w = step.across[slot];
        const int position = ++work.cavity_count;
        if (work.cavity_vp.make_room(position)) {
            // The three lists grow together: the search is never deeper than
            // the cavity has entries.
            work.cavity_links.make_room(position);
            work.cavity_search.make_room(position);
            links = work.cavity_links.data();
        }
        work.cavity_vp[position] = w;
        if constexpr (keep_serials) {
            work.cavity_serial.make_room(position);
            work.cavity_serial[position] = mesh.vp_serial[w];
        }
        mark_in_cavity(mesh, w, position);
        links[from][slot] = position;
        start_search_step(mesh, work, ++depth, w, position, from, work.cavity_vp[from], k);
        steps = work.cavity_search.data();
    }
}

// The cavity of k, searched from the cell of q, the node nearest to it.
template <bool keep_serials>
void collect_around(MeshTables& mesh, InsertionWork& work, int k, int q) {
    const int e0 = mesh.node_ve[q];
    if (vp_is_deleted(mesh, mesh.ve_vp[e0][0]) || vp_is_deleted(mesh, mesh.ve_vp[e0][1])) {
        fail_missing_ve(e0, q);
    }
    const int start = find_start_vp(mesh, work, q, e0, k);
    work.cavity_count = 1;
    work.cavity_vp[1] = start;
    if constexpr (keep_serials) work.cavity_serial[1] = mesh.vp_serial[start];
    mark_in_cavity(mesh, start, 1);
    collect_from<keep_serials>(mesh, work, start, 1, k);
}

// Twice the signed area of triangle a, b, c: positive when it turns left.
double turn(const Point& a, const Point& b, const Point& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Whether the cavity just collected is a star around k: a tree of vps, so
// that no node lies inside it, whose border ves all have k strictly on the
// cavity's side. Rounding in the circle tests can break either among nearly
// collinear nodes; the ring built then would lose a node or fold over.
bool cavity_is_star(const MeshTables& mesh, const InsertionWork& work, int k) {
    const Point& at_k = mesh.node_xy[k];
    int links = 0;
    for (int i = 1; i <= work.cavity_count; ++i) {
        const int v = work.cavity_vp[i];
        const auto nodes = vp_nodes(mesh, v);
        for (int slot = 0; slot < 3; ++slot) {
            if (work.cavity_links[i][slot] != 0) {
                ++links;
                continue;
            }
            const auto& ends = mesh.ve_node[mesh.vp_ve[v][slot]];
            const int apex = nodes[0] != ends[0] && nodes[0] != ends[1]   ? nodes[0]
                             : nodes[1] != ends[0] && nodes[1] != ends[1] ? nodes[1]
                                                                          : nodes[2];
            if (at_infinity({ends[0], ends[1], apex})) continue;
            const Point& p = mesh.node_xy[ends[0]];
            const Point& q = mesh.node_xy[ends[1]];
            if (!(turn(p, q, at_k) * turn(p, q, mesh.node_xy[apex]) > 0)) return false;
        }
    }
    // A tree of d vps has d - 1 links, each seen from both ends.
    return links == 2 * (work.cavity_count - 1);
}

// A free row of each table for the next ring row.
struct NewRows {
    int vp;
    int ve;
};

NewRows take_rows(MeshTables& mesh) {
    NewRows rows{mesh.vp_pool.first_free, mesh.ve_pool.first_free};
    if (rows.vp != 0) {
        mesh.vp_pool.first_free = next_free_vp_row(mesh, rows.vp);
    } else if (mesh.vp_pool.highest_row + 1 < mesh.vp_rows.capacity()) {
        rows.vp = ++mesh.vp_pool.highest_row;
    } else {
        fail_too_many(mesh);
    }
    if (rows.ve != 0) {
        mesh.ve_pool.first_free = next_free_ve_row(mesh, rows.ve);
    } else if (mesh.ve_pool.highest_row + 1 < mesh.ve_rows.capacity()) {
        rows.ve = ++mesh.ve_pool.highest_row;
    } else {
        fail_too_many(mesh);
    }
    return rows;
}

// Frees the rows of the cavity: its vps, and the ves between two of them
// (each met from both ends, freed from the earlier entry). An entry's slots
// are read before its row is freed; the later entries need only the links.
void free_cavity_rows(MeshTables& mesh, const InsertionWork& work) {
    for (int i = 1; i <= work.cavity_count; ++i) {
        const int v = work.cavity_vp[i];
        const auto& links = work.cavity_links[i];
        for (int slot = 0; slot < 3; ++slot) {
            if (links[slot] > i) free_ve_row(mesh, mesh.vp_ve[v][slot]);
        }
        free_vp_row(mesh, v);
    }
}

// The ring of new vps and ves around k, then deletion and re-linking. The
// new rows come from the pools; their creation numbers follow the ring.
void rebuild_from(MeshTables& mesh, InsertionWork& work, int k) {
    const int cavity_count = work.cavity_count;
    // A cavity of d vps has d + 2 border ves, one ring row each; the turn
    // below stops one row past that.
    work.ring.make_room(cavity_count + 3);
    work.newest_cell.make_room(cavity_count + 3);
    // Raw rows in locals, as in the search.
    const std::array<int, 3>* links = work.cavity_links.data();
    const int* cavity = work.cavity_vp.data();
    RingRow* ring = work.ring.data();
    int* newest_cell = work.newest_cell.data();
    // Find a border ve: walk through the cavity until a ve leads out of it.
    // The cavity is a tree of vps, so a walk that never turns back leaves it
    // within cavity_count steps; a longer one is going round a loop.
    int entry = 1;
    int b = cavity[1];
    int slot = 0;
    int e = mesh.vp_ve[b][0];
    for (int steps = 0; links[entry][slot] != 0; ++steps) {
        if (steps > cavity_count) fail_no_next_ve();
        entry = links[entry][slot];
        b = cavity[entry];
        slot = mesh.vp_ve[b][0] == e ? 1 : 0;
        e = mesh.vp_ve[b][slot];
    }

    const int stop_node = mesh.ve_node[e][1];
    int pivot = mesh.ve_node[e][0];
    const int v0 = mesh.vp_number;
    const int e0 = mesh.ve_number;
    int j = 1;
    const NewRows first = take_rows(mesh);
    NewRows last = first;
    mesh.vp_rows[first.vp] = {{e, first.ve, 0}, v0 + 1};
    mesh.ve_node[first.ve] = {k, pivot};
    mesh.ve_serial[first.ve] = e0 + 1;
    mesh.node_ve[k] = first.ve;
    mesh.node_ve[pivot] = first.ve;
    work.walk_cache.forget(pivot);
    ring[1] = {e, first.vp, side_of(mesh, e, b)};
    store_new_circle(mesh, work, first.vp, e, k);
    // A turn around k meets the last pivot first, then the others in order.
    newest_cell[0] = stop_node;
    newest_cell[1] = pivot;

    // Turn around each pivot through the cavity to the next border ve; each
    // border ve gives one new vp and the ve between it and the next one.
    for (int turn_steps = 0;;) {
        const auto& slots = mesh.vp_ve[b];
        slot = 0;
        while (slot < 3 && (slots[slot] == e || !has_node(mesh, slots[slot], pivot))) ++slot;
        if (slot == 3) fail_no_next_ve();
        const int f = slots[slot];
        if (links[entry][slot] != 0) {
            // The fan of one pivot inside the cavity has fewer vps than the
            // cavity; a longer turn never reaches the border.
            if (++turn_steps > cavity_count) fail_no_next_ve();
            entry = links[entry][slot];
            b = cavity[entry];
            e = f;
            continue;
        }
        // A cavity of d vps has d + 2 border ves; more mean it is no tree.
        if (j > cavity_count + 2) fail_no_next_ve();
        turn_steps = 0;
        const int next_pivot = other_node(mesh, f, pivot);
        ++j;
        const NewRows rows = take_rows(mesh);
        mesh.ve_vp[last.ve] = {last.vp, rows.vp};
        mesh.vp_rows[rows.vp] = {{f, rows.ve, last.ve}, v0 + j};
        mesh.ve_node[rows.ve] = {k, next_pivot};
        mesh.ve_serial[rows.ve] = e0 + j;
        mesh.node_ve[k] = rows.ve;
        mesh.node_ve[next_pivot] = rows.ve;
        work.walk_cache.forget(next_pivot);
        ring[j] = {f, rows.vp, side_of(mesh, f, b)};
        store_new_circle(mesh, work, rows.vp, f, k);
        last = rows;
        if (next_pivot == stop_node) break;
        newest_cell[static_cast<std::size_t>(j)] = next_pivot;
        e = f;
        pivot = next_pivot;
    }

    // Close the ring: the last new ve joins the last new vp to the first.
    mesh.ve_vp[last.ve] = {last.vp, first.vp};
    mesh.vp_ve[first.vp][2] = last.ve;
    mesh.ve_number = e0 + j;
    mesh.vp_number = v0 + j;
    work.newest_node = k;
    work.newest_degree = j;

    // Only now that every new row is written may the cavity go and the border
    // ves be re-linked: the turning above reads both.
    free_cavity_rows(mesh, work);
    for (int i = 1; i <= j; ++i) {
        const RingRow& row = ring[i];
        mesh.ve_vp[row.boundary_ve][row.side] = row.new_vp;
    }
}

// The counters may reach MAX_NUMBER but not pass it.
void check_counters(const MeshTables& mesh) {
    if (mesh.vp_number > MAX_NUMBER || mesh.ve_number > MAX_NUMBER) fail_too_many(mesh);
}

// Puts `cavity` into cavity_vp[1] onwards and marks its vps.
void set_cavity(MeshTables& mesh, InsertionWork& work, std::span<const int> cavity) {
    work.cavity_count = static_cast<int>(cavity.size());
    if (work.cavity_vp.make_room(work.cavity_count)) {
        work.cavity_links.make_room(work.cavity_count);
        work.cavity_search.make_room(work.cavity_count);
    }
    for (int i = 1; i <= work.cavity_count; ++i) work.cavity_vp[i] = cavity[static_cast<std::size_t>(i - 1)];
    mark_cavity(mesh, work);
}

}  // namespace

void VoronoiBuilder::start_diagram() {
    init_mesh(*mesh_);
    work_.centre_cache.start_run();
    forget_cells();
}

void VoronoiBuilder::forget_cells() {
    work_.walk_cache.start_run();
    work_.newest_node = INFINITE_NODE;
    work_.newest_degree = 0;
}

void VoronoiBuilder::insert_node(int k) { insert_node_from(k, mesh_->number); }

void VoronoiBuilder::insert_node_from(int k, int start_node) {
    insert_node_beside(k, nearest_node(start_node, k));
}

void VoronoiBuilder::insert_node_beside(int k, int q) {
    collect_around<false>(*mesh_, work_, k, q);
    rebuild_from(*mesh_, work_, k);
    check_counters(*mesh_);
}

bool VoronoiBuilder::insert_node_if_star(int k, int q) {
    collect_around<true>(*mesh_, work_, k, q);
    if (!cavity_is_star(*mesh_, work_, k)) {
        for (int i = 1; i <= work_.cavity_count; ++i)
            mesh_->vp_serial[work_.cavity_vp[i]] = work_.cavity_serial[i];
        return false;
    }
    rebuild_from(*mesh_, work_, k);
    check_counters(*mesh_);
    return true;
}

void VoronoiBuilder::collect_cavity(std::span<const int> cavity, int k) {
    set_cavity(*mesh_, work_, cavity);
    collect_from<false>(*mesh_, work_, cavity.back(), work_.cavity_count, k);
}

void VoronoiBuilder::rebuild_cavity(std::span<const int> cavity, int k) {
    set_cavity(*mesh_, work_, cavity);
    for (int i = 1; i <= work_.cavity_count; ++i) {
        const int v = work_.cavity_vp[i];
        for (int slot = 0; slot < 3; ++slot) {
            work_.cavity_links[i][slot] =
                cavity_position(*mesh_, other_end(*mesh_, mesh_->vp_ve[v][slot], v));
        }
    }
    rebuild_from(*mesh_, work_, k);
}

}  // namespace tesu
