// The text of the details box: the numbers of the last run and the present
// zoom factor.
#pragma once

#include <string>
#include <string_view>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"
#include "input/mesh_run.h"
#include "ui/view.h"

namespace tesu {

inline constexpr std::string_view DETAILS_CAPTION = "データ情報の詳細";

std::string details_text(const MeshTables& mesh, const InputTables& input, const RunResults& results,
                         const ViewState& view);

}  // namespace tesu
