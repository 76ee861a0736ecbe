// The mesh as a Gmsh MSH 2.2 ASCII file: a physical line group per figure
// ("outline 1", "outline 2", ...) holding its outline edges, and the physical
// surface "domain" holding the triangles.
#pragma once

#include <string>

#include "output/finished_mesh.h"

namespace tesu {

// Physical tag of figure f's outline edges is f + 1; the domain's is one more
// than the number of figures. Triangles carry the element numbers 1 to M of
// the result file; the outline edges, listed first, follow them from M + 1.
bool write_msh_file(const std::string& path, const FinishedMesh& mesh);

}  // namespace tesu
