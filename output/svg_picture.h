// A picture of the finished mesh for a browser: outlines and elements, in
// file units with y upward.
#pragma once

#include <string>

#include "output/finished_mesh.h"

namespace tesu {

// Returns false when the file could not be written.
bool write_svg_picture(const std::string& path, const FinishedMesh& mesh);

}  // namespace tesu
