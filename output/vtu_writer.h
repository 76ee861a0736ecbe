// The mesh as a VTK XML unstructured grid in ASCII (.vtu), which ParaView
// opens: the nodes with z = 0, the elements as VTK triangles, and a cell
// field "smallest_angle" in degrees.
#pragma once

#include <string>

#include "output/finished_mesh.h"

namespace tesu {

// Points and cells keep the result file's order, so point i is node number
// i + 1 and cell i element i + 1 (VTK counts from 0).
bool write_vtu_file(const std::string& path, const FinishedMesh& mesh);

}  // namespace tesu
