// Numeric operations on the mesh tables shared by the construction and the
// rest of the program. They read the tables and never change them.
#pragma once

#include "engine/mesh_tables.h"
#include "ui/platform.h"

namespace tesu {

// Circle test of node k against the circumcircle of vp v: negative inside,
// 0 on it, positive outside; 1e30 for a vp at infinity.
double incircle_value(const MeshTables& mesh, int v, int k);

// Centre of the circumcircle of vp v. For a vp at infinity shows a message
// and leaves the outputs unwritten.
void vp_centre(const MeshTables& mesh, int v, double& cx, double& cy, Platform& platform);

// Greedy walk over Delaunay neighbours from node s towards the point of node
// k (which need not be in the diagram); the node where it stops.
int nearest_node(const MeshTables& mesh, int s, int k, Platform& platform);

// The same walk; the squared distance from node k to where it stops.
double nearest_distance2(const MeshTables& mesh, int s, int k, Platform& platform);

}  // namespace tesu
