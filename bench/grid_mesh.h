// A finished mesh as large as the repaint must handle at a zoom click: the
// drawing square cut by a 671 by 671 grid of nodes into 897,800 elements,
// inside one square figure. Shared by the drawing benchmarks.
#pragma once

#include <memory>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"
#include "output/finished_mesh.h"
#include "tests/ui/mesh_builder.h"
#include "ui/view.h"

namespace tesu::bench {

inline constexpr int GRID = 671;  // 450,241 nodes

struct GridMesh {
    std::unique_ptr<MeshTables> mesh;
    std::unique_ptr<InputTables> input;
    // Collected once after the run, as the window keeps it for the repaint.
    FinishedMesh finished;
};

inline GridMesh grid_mesh() {
    testing::MeshBuilder builder;
    const int first = builder.mesh().number + 1;
    for (int j = 0; j < GRID; ++j) {
        for (int i = 0; i < GRID; ++i)
            builder.node(i * DRAWING_SIDE / (GRID - 1), j * DRAWING_SIDE / (GRID - 1));
    }
    const auto node = [first](int i, int j) { return first + j * GRID + i; };
    for (int j = 0; j + 1 < GRID; ++j) {
        for (int i = 0; i + 1 < GRID; ++i) {
            builder.add_vp(node(i, j), node(i + 1, j), node(i, j + 1));
            builder.add_vp(node(i + 1, j), node(i + 1, j + 1), node(i, j + 1));
        }
    }
    auto input = std::make_unique<InputTables>();
    for (const Point& p :
         {Point{0, 0}, {DRAWING_SIDE, 0}, {DRAWING_SIDE, DRAWING_SIDE}, {0, DRAWING_SIDE}, {0, 0}}) {
        input->outline_xy[input->outline_point_count++] = p;
    }
    input->figure_end[0] = 4;
    input->figure_count = 1;
    GridMesh grid{builder.release(), std::move(input), {}};
    grid.finished = collect_finished_mesh(*grid.mesh, *grid.input, 3);
    return grid;
}

// About the client area of the main window at its first size.
inline constexpr int CLIENT_WIDTH = 660;
inline constexpr int CLIENT_HEIGHT = 540;

// The full view, then `clicks` zoom-in clicks at the centre of the client
// area.
inline ViewState zoomed_view(int clicks) {
    ViewState view;
    reset_view(view, CLIENT_WIDTH, CLIENT_HEIGHT);
    for (int i = 0; i < clicks; ++i) zoom_in_at(view, CLIENT_WIDTH / 2, CLIENT_HEIGHT / 2);
    return view;
}

}  // namespace tesu::bench
