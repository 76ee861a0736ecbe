// The one store of the mesh: node coordinates and the Voronoi diagram of the
// nodes (and through it their Delaunay triangulation), in flat parallel tables
// indexed from 1. Every reader of the mesh reads these tables; only the
// insertion (voronoi.h) writes the diagram.
//
// A vp is a vertex of the Voronoi diagram: a Delaunay triangle together
// with its circumcentre. A ve is an edge of the diagram, dual to a Delaunay
// edge: it joins the vps of the two triangles beside that edge and
// separates the edge's two nodes.
//
// Node 0 is the point at infinity, nodes 1 to 3 the enclosing triangle, real
// nodes 4 to `number`. Vps 1 to 3 lie at infinity: each joins two nodes of
// the enclosing triangle to node 0. A vp is deleted when slot 0 of its
// `vp_ve` row is -1; a ve is live when both its end vps are live. Deleted vp
// rows and dead ve rows go back to a pool and are taken again by later
// insertions; every output follows the creation numbers, never the rows, so
// results do not depend on how rows were reused.
#pragma once

#include <array>
#include <cstddef>

#include "engine/point.h"
#include "engine/reserved_table.h"

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

// Slot 0 of a deleted vp.
inline constexpr int DELETED_VP = -1;
// The node at infinity, third node of the vps 1 to 3 outside the enclosing
// triangle; it has no coordinates.
inline constexpr int INFINITE_NODE = 0;
// Row 0 of the vp table is a deleted vp that is never freed or taken: a dead
// ve's ends are set to it, so that it can never look live once the rows it
// joined are taken again.
inline constexpr int NO_VP_ROW = 0;

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
// it beside slot 0. Each ve joins two of the vp's three nodes.
struct VpRow {
    std::array<int, 3> ve;
    // The creation number, 0 in a free row. While an insertion gathers its
    // cavity, a cavity vp holds minus its place in the cavity instead (see
    // voronoi.cpp): the search reads this row anyway, and a separate mark
    // would cost it a second look-up per vp. No reader outside the
    // insertion sees such a mark.
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

    // Per node row: its coordinates in drawing units, and one live ve
    // between it and a neighbour, where every turn round its cell starts.
    FixedTable<Point> node_xy;
    FixedTable<int> node_ve;
    // Per ve row: the vps at its two ends and the two nodes it separates,
    // one of them INFINITE_NODE for a ve whose Delaunay edge lies on the
    // enclosing triangle. A dead ve's row is free: NO_VP_ROW at end 0, the
    // next free row at end 1.
    FixedTable<VeRow> ve_rows;
    RowField<VeRow, std::array<int, 2>, &VeRow::vp> ve_vp{ve_rows.data()};      // end 0, end 1
    RowField<VeRow, std::array<int, 2>, &VeRow::node> ve_node{ve_rows.data()};  // first, second node
    FixedTable<int> ve_serial;                                                  // creation number
    // Per vp row: its three ves (DELETED_VP in slot 0 and the next free row
    // in slot 1 once it is deleted) and its creation number (see VpRow).
    FixedTable<VpRow> vp_rows;
    RowField<VpRow, std::array<int, 3>, &VpRow::ve> vp_ve{vp_rows.data()};  // slots 0, 1, 2
    RowField<VpRow, int, &VpRow::serial> vp_serial{vp_rows.data()};         // creation number
    RowPool vp_pool;
    RowPool ve_pool;

    // The highest node row in the diagram: the enclosing triangle and the
    // real nodes inserted so far. A node being inserted sits in row
    // number + 1, and the caller raises the count once it is in.
    int number = 0;
    // Every vp and ve ever created in this run, freed ones included; the
    // creation number of a row is its place in this count.
    int vp_number = 0;
    int ve_number = 0;
};

// Sets the enclosing triangle (nodes 1 to 3), ves 1 to 6, vps 1 to 4, their
// node_ve entries and the three counters, and empties the row pools. Node
// rows from 4 up are untouched. An insertion object starts a diagram with
// VoronoiBuilder::start_diagram, which also empties its caches.
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
