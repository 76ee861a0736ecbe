// The text of the details box: the numbers of the last run and the present
// zoom factor.
#pragma once

#include <string>
#include <string_view>

#include "input/input_tables.h"
#include "run/run_results.h"
#include "ui/view.h"

namespace tesu {

inline constexpr std::string_view DETAILS_CAPTION = "データ情報の詳細";

// From the finished mesh of the last run (results.mesh).
std::string details_text(const InputTables& input, const RunResults& results, const ViewState& view);

}  // namespace tesu
