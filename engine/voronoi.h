// Incremental construction of the Voronoi diagram: one node per call. A
// failure throws tesu::Error (a computation or capacity stop); the tables
// are then part-way through an insertion and only good for start_diagram.
#pragma once

#include <span>

#include "engine/insertion_work.h"
#include "engine/mesh_tables.h"

namespace tesu {

struct WalkEnd {
    int node;
    double distance2;
};

// Inserts nodes into one set of tables, and walks them to the node nearest
// a point. It keeps the working lists of the insertion and the caches that
// spare later insertions and walks work, none of which an output reads.
// Whoever inserts holds one for as long as the tables are filled: the
// lists keep the size of the largest insertion and the caches stay warm.
class VoronoiBuilder {
public:
    // Over tables that init_mesh or earlier insertions have filled, with
    // empty caches.
    explicit VoronoiBuilder(MeshTables& mesh) : mesh_(&mesh) {}
    // Moving keeps the tables: an owner that moves them by pointer moves
    // the builder with them.
    VoronoiBuilder(VoronoiBuilder&&) = default;
    VoronoiBuilder& operator=(VoronoiBuilder&&) = default;

    MeshTables& mesh() { return *mesh_; }
    const MeshTables& mesh() const { return *mesh_; }
    // The lists as the last insertion left them, and the caches.
    const InsertionWork& work() const { return work_; }

    // A new diagram in the tables (init_mesh), every cached circle and cell
    // forgotten: a new run numbers its vps and nodes from the start again.
    void start_diagram();
    // Forgets the cells the walks keep, after the nodes moved to other rows.
    void forget_cells();

    // Inserts node k (= mesh.number + 1, its coordinates already in node_xy,
    // strictly inside the enclosing triangle and on no existing node). The
    // vps whose circumcircles hold k are deleted and a ring of new vps and
    // ves is built around k. The caller raises mesh.number afterwards.
    void insert_node(int k);
    // The same for a node k inserted out of index order: the walk to the
    // nearest node starts at node `start`, already in the diagram, rather
    // than at mesh.number.
    void insert_node_from(int k, int start);
    // The same for a caller that has walked to the node nearest to k
    // already: `nearest` is where a walk for insert_node or insert_node_from
    // would end.
    void insert_node_beside(int k, int nearest);
    // The same, when the vps whose circles hold k form a star around it: a
    // tree whose border ves all face k. When rounding among nearly collinear
    // nodes makes them anything else, the mesh is left as it was and the
    // answer is false.
    bool insert_node_if_star(int k, int nearest);

    // Greedy walk over Delaunay neighbours from node s towards the point of
    // node k (which need not be in the diagram): the node where it stops and
    // its squared distance to k.
    WalkEnd walk_to_nearest(int s, int k);
    // The same walk, ended early at the first node whose distance to k is 0
    // or at most `reach`: it answers whether any node lies that close
    // without finding the nearest one.
    WalkEnd walk_within(int s, int k, double reach);
    int nearest_node(int s, int k) { return walk_to_nearest(s, k).node; }
    double nearest_distance2(int s, int k) { return walk_to_nearest(s, k).distance2; }

    // The two halves of an insertion on their own, on a cavity given as its
    // vps, for the tests of their failures. The first searches on from the
    // last of them for the other vps whose circle holds k; the second builds
    // the ring of new rows around k, deletes the cavity and re-links.
    void collect_cavity(std::span<const int> cavity, int k);
    void rebuild_cavity(std::span<const int> cavity, int k);

private:
    MeshTables* mesh_;
    InsertionWork work_;
};

}  // namespace tesu
