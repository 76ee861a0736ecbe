// Everything the desktop program keeps for as long as it runs: the tables of
// the last run, its results, the view, and what is found once per finished
// mesh for repainting and for pointing at it.
#pragma once

#include <memory>

#include "run/run_driver.h"
#include "ui/drawing.h"
#include "ui/mesh_probe.h"
#include "ui/view.h"

namespace tesu {

struct AppState {
    // Its tables are reserved once; memory is committed only as rows fill.
    // While a run builds, only its worker touches them.
    MeshRun run;
    // What the next run asks for: the menu's histogram and quality mode.
    RunRequest request;
    RunResults results;
    // The last run has built its mesh: it gates repaint, zoom and details.
    bool mesh_ready = false;
    ViewState view;
    ElementCache elements;
    MeshProbe probe;
    // The elements filled in the colours of their smallest angles.
    bool quality_colours = false;
    // The quality mode of the next runs, off at the start and never stored:
    // outlines followed, and with an angle above 0 no element's smallest
    // angle under it.
    bool quality_mode = false;
    double quality_min_angle = 30;
};

}  // namespace tesu
