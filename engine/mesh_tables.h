// The one store of the mesh: node coordinates and the Voronoi diagram of the
// nodes (and through it their Delaunay triangulation), in flat parallel tables
// indexed from 1.
//
// Node 0 is the point at infinity, nodes 1 to 3 the enclosing triangle, real
// nodes 4 to `number`. Vps 1 to 3 lie at infinity. A vp is deleted when slot 0
// of its `vp_ve` row is -1; a ve is live when both its end vps are live.
// Deleted vp rows and dead ve rows go back to a pool and are taken again by
// later insertions; every output follows the creation numbers, never the
// rows, so results do not depend on how rows were reused.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/centre_cache.h"
#include "engine/point.h"
#include "engine/reserved_table.h"
#include "engine/walk_cache.h"

namespace tesu {

// Node indices run up to 10,000,001.
inline constexpr int NODE_CAPACITY = 10'000'002;
// Row capacities of the vp and ve tables for node rows 0 to nodes - 1. Freed
// rows are taken again, so the rows in use are the live ones plus the free
// lists, which never hold more than the largest cavity: at most 2 (4 + 2n)
// vp rows and 5n + 10 ve rows for n nodes.
constexpr int vp_row_capacity(int nodes) { return 4 * nodes + 16; }
constexpr int ve_row_capacity(int nodes) { return 5 * nodes + 16; }
// Highest vp_number and ve_number accepted after an insertion. They count
// every row ever created; one insertion creates fewer rows than there are
// live vps, so the counters stay well inside an int.
inline constexpr int MAX_NUMBER = 2'000'000'000;

inline constexpr int DELETED_VP = -1;
inline constexpr int INFINITE_NODE = 0;
// Row 0 of the vp table is a deleted vp that is never freed or taken: a dead
// ve's ends are set to it, so that it can never look live once the rows it
// joined are taken again.
inline constexpr int NO_VP_ROW = 0;

struct RingRow {
    int boundary_ve;
    int new_vp;
    int side;
};

// Tables of rows that are never value-initialised: memory is committed only
// as rows are first written, so a mesh costs what its rows in use cost. The
// address space is reserved for a capacity and can be widened between runs,
// keeping the rows written (see reserved_table.h).
template <typename T>
class FixedTable {
public:
    explicit FixedTable(int capacity) { reserve(capacity); }
    T& operator[](int i) { return rows_.rows()[static_cast<std::size_t>(i)]; }
    T* data() { return rows_.rows(); }
    const T& operator[](int i) const { return rows_.rows()[static_cast<std::size_t>(i)]; }
    int capacity() const { return capacity_; }
    // Rows 0 to capacity - 1 become usable; data() may move.
    void reserve(int capacity) {
        if (capacity <= capacity_) return;
        rows_.widen(sizeof(T) * static_cast<std::size_t>(capacity));
        capacity_ = capacity;
    }

private:
    ReservedBytes<T> rows_;
    int capacity_ = 0;
};

// A vp's three ves and its creation number in one 16-byte row: a row never
// straddles a cache line, and the readers that need the creation order find
// it beside slot 0.
struct VpRow {
    std::array<int, 3> ve;
    int serial;
};

// A ve keeps its end vps and its nodes side by side: turning round a cell
// reads both of the same ve.
struct VeRow {
    std::array<int, 2> vp;
    std::array<int, 2> node;
};

// One field of the rows of a table, indexed as a table of its own.
template <typename Row, typename Field, Field Row::*field>
class RowField {
public:
    explicit RowField(Row* rows) : rows_(rows) {}
    Field& operator[](int i) { return rows_[static_cast<std::size_t>(i)].*field; }
    const Field& operator[](int i) const { return rows_[static_cast<std::size_t>(i)].*field; }

private:
    Row* rows_;
};

// The rows of the vp or of the ve table: those written so far, and the
// freed ones among them, chained through the rows themselves (slot 1 of a
// deleted vp, end 1 of a dead ve), so that freeing a row costs no more than
// marking it. Rows are taken again last freed first: they are the ones still
// in the caches.
struct RowPool {
    int highest_row = 0;  // rows 1 to highest_row have been written
    int first_free = 0;   // 0 when no row is free
};

// Working storage of the insertion: a list indexed from 0 that keeps its
// rows between insertions and grows, rarely, to the largest one so far.
template <typename T>
class GrowingList {
public:
    explicit GrowingList(int size) : rows_(static_cast<std::size_t>(size)), size_(size) {}
    T& operator[](int i) { return rows_[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return rows_[static_cast<std::size_t>(i)]; }
    T* data() { return rows_.data(); }
    const T* data() const { return rows_.data(); }
    // Makes row i usable; earlier rows keep their contents. True when the
    // rows have moved.
    bool make_room(int i) {
        if (i < size_) return false;
        grow(i);
        return true;
    }

private:
    void grow(int i) {
        size_ = 2 * i;
        rows_.resize(static_cast<std::size_t>(size_));
    }

    std::vector<T> rows_;
    int size_;  // rows_.size(), kept as an int for the checks of the common path
};

// A vp of the cavity search whose three neighbours are being looked at:
// those of the slots before `next_slot` are done.
struct CavitySearchStep {
    int entry;      // its place in cavity_vp
    int parent;     // the entry it was reached from, 0 for the start vp
    int parent_vp;  // the vp of that entry
    int next_slot;
    std::array<int, 3> across;
    std::array<double, 3> value;
};

struct MeshTables {
    // Node rows 0 to node_rows - 1 and the vp and ve rows they can need.
    explicit MeshTables(int node_rows = NODE_CAPACITY)
        : node_xy(node_rows),
          node_ve(node_rows),
          ve_rows(ve_row_capacity(node_rows)),
          ve_serial(ve_row_capacity(node_rows)),
          vp_rows(vp_row_capacity(node_rows)) {}
    // The row fields point into this instance's rows.
    MeshTables(const MeshTables&) = delete;
    MeshTables& operator=(const MeshTables&) = delete;

    // Widens every table for node rows 0 to node_rows - 1, keeping what the
    // rows hold. Only between insertions: references to rows go stale.
    void reserve(int node_rows);
    int node_rows() const { return node_xy.capacity(); }

    FixedTable<Point> node_xy;
    FixedTable<int> node_ve;
    FixedTable<VeRow> ve_rows;
    RowField<VeRow, std::array<int, 2>, &VeRow::vp> ve_vp{ve_rows.data()};      // end 0, end 1
    RowField<VeRow, std::array<int, 2>, &VeRow::node> ve_node{ve_rows.data()};  // first, second node
    FixedTable<int> ve_serial;                                                  // creation number
    FixedTable<VpRow> vp_rows;
    RowField<VpRow, std::array<int, 3>, &VpRow::ve> vp_ve{vp_rows.data()};  // slots 0, 1, 2
    RowField<VpRow, int, &VpRow::serial> vp_serial{vp_rows.data()};         // creation number
    RowPool vp_pool;
    RowPool ve_pool;

    int number = 0;
    // Every vp and ve ever created in this run, freed ones included; the
    // creation number of a row is its place in this count.
    int vp_number = 0;
    int ve_number = 0;

    // Working storage of insert_node, grown to the largest insertion so far
    // and kept; no reader outside the construction. The three lists of the
    // cavity search always have the same size.
    GrowingList<int> cavity_vp{64};  // used from index 1
    int cavity_count = 0;
    // For each cavity entry and slot: the entry across that slot's ve, 0 when
    // that vp lies outside the cavity.
    GrowingList<std::array<int, 3>> cavity_links{64};
    // The vps of the depth-first search still being looked at, deepest last.
    GrowingList<CavitySearchStep> cavity_search{64};
    // The creation numbers of the cavity vps, for an insertion that may be
    // undone.
    GrowingList<int> cavity_serial{64};  // used from index 1
    CentreCache centre_cache;
    GrowingList<RingRow> ring{64};  // used from index 1
    // The neighbours of the node inserted last, in turn order: no insertion
    // has changed its cell yet, and the next walk starts there.
    int newest_node = INFINITE_NODE;
    int newest_degree = 0;
    GrowingList<int> newest_cell{64};
    // Filled by the walks, which otherwise only read the tables.
    mutable WalkCache walk_cache;
};

// Sets the enclosing triangle (nodes 1 to 3), ves 1 to 6, vps 1 to 4, their
// node_ve entries and the three counters, and empties the row pools, the
// centre cache, the walk cache and the newest cell.
// Node rows from 4 up are untouched.
void init_mesh(MeshTables& mesh);

// The three nodes of vp v: the two nodes of the ve in slot 0, then the node
// of the ve in slot 1 that is not one of them.
inline std::array<int, 3> vp_nodes(const MeshTables& mesh, int v) {
    const auto& slots = mesh.vp_ve[v];
    const auto& first = mesh.ve_node[slots[0]];
    const auto& second = mesh.ve_node[slots[1]];
    const int third = (second[0] == first[0] || second[0] == first[1]) ? second[1] : second[0];
    return {first[0], first[1], third};
}

inline bool vp_is_deleted(const MeshTables& mesh, int v) { return mesh.vp_ve[v][0] == DELETED_VP; }

// Marks vp v deleted and chains its row to the free ones.
inline void free_vp_row(MeshTables& mesh, int v) {
    auto& row = mesh.vp_rows[v];
    row.ve[0] = DELETED_VP;
    row.ve[1] = mesh.vp_pool.first_free;
    row.serial = 0;
    mesh.vp_pool.first_free = v;
}

// While an insertion gathers its cavity, each vp in it carries minus its
// place in cavity_vp instead of its creation number: the search reads the
// row anyway, and the row is freed when the insertion ends.
inline void mark_in_cavity(MeshTables& mesh, int v, int position) { mesh.vp_serial[v] = -position; }

// The place of vp v in cavity_vp, 0 when it is not in the cavity.
inline int cavity_position(const MeshTables& mesh, int v) {
    const int serial = mesh.vp_serial[v];
    return serial < 0 ? -serial : 0;
}

// Marks ve e dead, whatever becomes of the rows of its ends, and chains its
// row to the free ones.
inline void free_ve_row(MeshTables& mesh, int e) {
    mesh.ve_vp[e] = {NO_VP_ROW, mesh.ve_pool.first_free};
    mesh.ve_pool.first_free = e;
}

// The free row chained after free row v of the vp table, or e of the ve
// table; 0 after the last.
inline int next_free_vp_row(const MeshTables& mesh, int v) { return mesh.vp_ve[v][1]; }
inline int next_free_ve_row(const MeshTables& mesh, int e) { return mesh.ve_vp[e][1]; }

inline bool ve_is_live(const MeshTables& mesh, int e) {
    return !vp_is_deleted(mesh, mesh.ve_vp[e][0]) && !vp_is_deleted(mesh, mesh.ve_vp[e][1]);
}

// The end of ve e that is not vp v.
inline int other_end(const MeshTables& mesh, int e, int v) {
    const auto& ends = mesh.ve_vp[e];
    return ends[0] == v ? ends[1] : ends[0];
}

inline bool has_node(const MeshTables& mesh, int e, int n) {
    const auto& nodes = mesh.ve_node[e];
    return nodes[0] == n || nodes[1] == n;
}

// The node of ve e that is not node n.
inline int other_node(const MeshTables& mesh, int e, int n) {
    const auto& nodes = mesh.ve_node[e];
    return nodes[0] == n ? nodes[1] : nodes[0];
}

}  // namespace tesu
