// A picture of the finished mesh for a browser: outlines and elements, in
// file units with y upward.
#pragma once

#include <string>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"

namespace tesu {

// Returns false when the file could not be written.
bool write_svg_picture(const std::string& path, const MeshTables& mesh, const InputTables& input);

}  // namespace tesu
