// The mesh saved from the window, in the format its file name's extension
// names in any case: those tesu-batch writes with --export (.msh, .vtu,
// .node and .ele, .poly) and --svg (.svg), and the picture as PNG (.png).
#pragma once

#include <string>
#include <vector>

#include "output/finished_mesh.h"

class QImage;

namespace tesu {

// True when the name's extension is one of the formats above.
bool is_save_format(const std::string& path);

// Writes the file (both files of a .node/.ele pair), each through a
// temporary file renamed into place. Returns the files that could not be
// written, none when all went well; a name of no known format is returned
// as it stands.
std::vector<std::string> save_mesh(const std::string& path, const FinishedMesh& mesh, const QImage& picture);

}  // namespace tesu
