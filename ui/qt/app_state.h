// Everything the desktop program keeps for as long as it runs: the tables of
// the last run, its results, the view and the elements found for repainting.
#pragma once

#include <memory>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"
#include "input/mesh_run.h"
#include "ui/drawing.h"
#include "ui/view.h"

namespace tesu {

struct AppState {
    // The tables are reserved once; memory is committed only as rows fill.
    std::unique_ptr<MeshTables> mesh = std::make_unique<MeshTables>();
    std::unique_ptr<InputTables> input = std::make_unique<InputTables>();
    RunResults results;
    ViewState view;
    ElementCache elements;
};

}  // namespace tesu
