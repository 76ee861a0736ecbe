// The live rows of the mesh in the order in which they were created. Rows
// are taken again after they are freed, so the row numbers say nothing of
// age; every output lists triangles and Voronoi edges in this order, so
// that a result never depends on how the rows were reused.
#pragma once

#include <vector>

#include "engine/mesh_tables.h"

namespace tesu {

// The rows of the live vps from creation number 4 up (the triangles; vps 1
// to 3 lie at infinity), oldest first.
std::vector<int> triangles_in_creation_order(const MeshTables& mesh);

// The rows of the live ves, oldest first.
std::vector<int> live_ves_in_creation_order(const MeshTables& mesh);

}  // namespace tesu
