// The box of the lines a data file gave only in part, which the window shows
// before the summary: the first few lines named, the others counted.
#pragma once

#include <string>
#include <vector>

#include "input/input_tables.h"

namespace tesu {

// The box's text, in UTF-8; the lines' own text (labels, comments) is
// decoded from code page 932.
std::string partial_lines_report(const std::vector<PartialLine>& lines);

}  // namespace tesu
