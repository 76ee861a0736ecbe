// Which figures are holes: a figure is one when the region just inside its
// outline lies outside the figures, by the inside test's even-odd rule (a
// figure inside another, but not one inside a hole). Each figure also gets a
// point inside its outline, close enough to it that no other outline passes
// between, which for a hole marks the hole.
#pragma once

#include <optional>
#include <vector>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"

namespace tesu {

struct FigureInterior {
    bool is_hole = false;
    // In drawing units; missing for a figure without area.
    std::optional<Point> inner_point;
};

// One entry per figure, for tables in drawing units.
std::vector<FigureInterior> classify_figures(const InputTables& input);

}  // namespace tesu
