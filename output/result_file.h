// The result file (.TES): nodes, elements in counter-clockwise order, the
// nodes at the outline points, the nodes on the outlines, the nodes at the
// division-specified points and, on request, the distortion histogram.
// Shift_JIS text with CRLF line ends.
#pragma once

#include <string>

#include "output/finished_mesh.h"
#include "output/text_sink.h"

namespace tesu {

// Writes the file at `path`, with the distortion section when
// histogram_step (the bin width in degrees) is 1, 2 or 3. Returns false
// when it could not be written completely, the system's reason in `reason`
// when one is given; an earlier file at that path is then left as it was.
bool write_result_file(const FinishedMesh& mesh, const std::string& path, int histogram_step,
                       std::string* reason = nullptr);

// The same text into any sink.
void write_result_text(TextSink& out, const FinishedMesh& mesh, int histogram_step);

}  // namespace tesu
