// The result file (.TES): nodes, elements in counter-clockwise order, the
// nodes at the outline points, the nodes on the outlines, the nodes at the
// division-specified points and, on request, the distortion histogram.
// Shift_JIS text with CRLF line ends.
#pragma once

#include <array>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"
#include "input/mesh_run.h"
#include "ui/platform.h"

namespace tesu {

// Puts the three nodes of a triangle into the order the result file uses.
std::array<int, 3> element_order(const MeshTables& mesh, const InputTables& input, std::array<int, 3> nodes);

// Writes results.output_file_name and draws each element's edges. Returns
// false when the file could not be written completely (an earlier file at
// that path is then left as it was); the elements are counted into
// results.element_count and drawn all the same.
bool write_result_file(const MeshTables& mesh, const InputTables& input, RunResults& results,
                       Platform& platform);

}  // namespace tesu
