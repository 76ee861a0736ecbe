// Which triangles of the mesh are elements: the live vps whose centroid lies
// inside the figures.
#pragma once

#include <vector>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"

namespace tesu {

bool centroid_inside(const MeshTables& mesh, const InputTables& input, const std::array<int, 3>& nodes);

// The vp rows of all elements, oldest first.
std::vector<int> find_elements(const MeshTables& mesh, const InputTables& input);

}  // namespace tesu
