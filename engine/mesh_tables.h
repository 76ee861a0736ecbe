// The one store of the mesh: node coordinates and the Voronoi diagram of the
// nodes (and through it their Delaunay triangulation), in flat parallel tables
// indexed from 1.
//
// Node 0 is the point at infinity, nodes 1 to 3 the enclosing triangle, real
// nodes 4 to `number`. Vps 1 to 3 lie at infinity. A vp is deleted when slot 0
// of its `vp_ve` row is -1; a ve is live when both its end vps are live. Rows
// are never reused within a run.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/cavity_index.h"
#include "engine/centre_cache.h"
#include "engine/huge_pages.h"
#include "engine/walk_cache.h"

namespace tesu {

struct Point {
    double x;
    double y;
};

// Node indices run up to 500,001; vp and ve indices up to 16,000,000.
inline constexpr int NODE_CAPACITY = 500'002;
inline constexpr int VP_CAPACITY = 16'000'001;
inline constexpr int VE_CAPACITY = 16'000'001;
// Highest vp_number and ve_number accepted after an insertion; one insertion
// creates at most 512 rows, far less than the 10,000 left above it.
inline constexpr int MAX_NUMBER = 15'990'000;

inline constexpr int DELETED_VP = -1;
inline constexpr int INFINITE_NODE = 0;

// Working storage of one insertion (see voronoi.h).
inline constexpr int CAVITY_CAPACITY = 514;  // cavity_vp used from index 1
inline constexpr int CAVITY_LIMIT = 511;     // the 511th cavity vp is fatal
inline constexpr int RING_CAPACITY = 513;    // ring rows 1 to 512

struct RingRow {
    int boundary_ve;
    int new_vp;
    int side;
};

// Tables are reserved once and never value-initialised, so memory is only
// committed as rows are written: a small mesh costs little.
template <typename T>
class FixedTable {
public:
    explicit FixedTable(int capacity)
        : rows_(new T[static_cast<std::size_t>(capacity)]), capacity_(capacity) {
        advise_huge_pages(rows_.get(), sizeof(T) * static_cast<std::size_t>(capacity));
    }
    T& operator[](int i) { return rows_[static_cast<std::size_t>(i)]; }
    T* data() { return rows_.get(); }
    const T& operator[](int i) const { return rows_[static_cast<std::size_t>(i)]; }
    int capacity() const { return capacity_; }

private:
    std::unique_ptr<T[]> rows_;
    int capacity_;
};

// A ve keeps its end vps and its nodes side by side: turning round a cell
// reads both of the same ve, and a table fewer leaves one partly used huge
// page fewer.
struct VeRow {
    std::array<int, 2> vp;
    std::array<int, 2> node;
};

// One half of the ve rows, indexed as a table of its own.
template <std::array<int, 2> VeRow::*half>
class VeHalf {
public:
    explicit VeHalf(VeRow* rows) : rows_(rows) {}
    std::array<int, 2>& operator[](int e) { return rows_[static_cast<std::size_t>(e)].*half; }
    const std::array<int, 2>& operator[](int e) const { return rows_[static_cast<std::size_t>(e)].*half; }

private:
    VeRow* rows_;
};

struct MeshTables {
    MeshTables() = default;
    // The ve halves point into this instance's rows.
    MeshTables(const MeshTables&) = delete;
    MeshTables& operator=(const MeshTables&) = delete;

    FixedTable<Point> node_xy{NODE_CAPACITY};
    FixedTable<int> node_ve{NODE_CAPACITY};
    FixedTable<VeRow> ve_rows{VE_CAPACITY};
    VeHalf<&VeRow::vp> ve_vp{ve_rows.data()};           // end 0, end 1
    VeHalf<&VeRow::node> ve_node{ve_rows.data()};       // first node, second node
    FixedTable<std::array<int, 3>> vp_ve{VP_CAPACITY};  // slots 0, 1, 2

    int number = 0;
    int vp_number = 0;
    int ve_number = 0;

    // Working storage of insert_node; no reader outside the construction.
    std::array<int, CAVITY_CAPACITY> cavity_vp{};
    int cavity_count = 0;
    CavityIndex cavity_index;
    CentreCache centre_cache;
    std::array<RingRow, RING_CAPACITY> ring{};
    // The neighbours of the node inserted last, in turn order: no insertion
    // has changed its cell yet, and the next walk starts there.
    int newest_node = INFINITE_NODE;
    int newest_degree = 0;
    std::array<int, RING_CAPACITY> newest_cell{};
    // Filled by the walks, which otherwise only read the tables.
    mutable WalkCache walk_cache;
};

// Sets the enclosing triangle (nodes 1 to 3), ves 1 to 6, vps 1 to 4, their
// node_ve entries and the three counters, and empties the centre cache,
// the walk cache and the newest cell.
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
