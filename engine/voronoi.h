// Incremental construction of the Voronoi diagram: one node per call. A
// failure throws tesu::Error (a computation or capacity stop); the tables
// are then part-way through an insertion and only good for init_mesh.
#pragma once

#include "engine/mesh_tables.h"

namespace tesu {

// Inserts node k (= mesh.number + 1, its coordinates already in node_xy,
// strictly inside the enclosing triangle and on no existing node). The
// vps whose circumcircles hold k are deleted and a ring of new vps and ves is
// built around k. The caller raises mesh.number afterwards.
void insert_node(MeshTables& mesh, int k);

// The same for a node k inserted out of index order: the walk to the
// nearest node starts at node `start`, already in the diagram, rather than
// at mesh.number.
void insert_node_from(MeshTables& mesh, int k, int start);

// The same for a caller that has walked to the node nearest to k already:
// `nearest` is where a walk for insert_node or insert_node_from would end.
void insert_node_beside(MeshTables& mesh, int k, int nearest);

// The same, when the vps whose circles hold k form a star around it: a
// tree whose border ves all face k. When rounding among nearly collinear
// nodes makes them anything else, the mesh is left as it was and the
// answer is false.
bool insert_node_if_star(MeshTables& mesh, int k, int nearest);

// Depth-first search from cavity vp v for the other vps whose circle holds k.
void collect_cavity(MeshTables& mesh, int v, int k);

// Builds the ring of new rows around k, deletes the cavity and re-links.
void rebuild_cavity(MeshTables& mesh, int k);

}  // namespace tesu
