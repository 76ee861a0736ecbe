// Everything the desktop program keeps for as long as it runs: the tables of
// the last run, its results, the view and the elements found for repainting.
#pragma once

#include <memory>

#include "run/mesh_run.h"
#include "ui/drawing.h"
#include "ui/view.h"

namespace tesu {

struct AppState {
    // Its tables are reserved once; memory is committed only as rows fill.
    // While a run builds, only its worker touches them.
    MeshRun run;
    RunResults results;
    ViewState view;
    ElementCache elements;
};

}  // namespace tesu
