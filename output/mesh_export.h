// Writes the mesh in the format an export file name asks for (see
// export_format.h). A .node or .ele name stands for the pair: X.node and
// X.ele are both written.
#pragma once

#include <string>
#include <vector>

#include "output/finished_mesh.h"

namespace tesu {

// The files an export name makes: both files of a pair, else the name itself.
std::vector<std::string> export_file_paths(const std::string& path);

// Returns the files that could not be written, none when all went well; a
// name of no known format is returned as it stands.
std::vector<std::string> write_mesh_export(const std::string& path, const FinishedMesh& mesh);

}  // namespace tesu
