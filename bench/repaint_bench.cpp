// The repaint at a zoom click as the window program does it: every element
// of a mesh of 897,800 elements drawn into the image that the window copies
// to the screen, at the full view and zoomed in at the centre.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdint>

#include "grid_mesh.h"
#include "ui/drawing.h"
#include "ui/qt/image_canvas.h"

namespace {

using namespace tesu;

const bench::GridMesh& mesh() {
    static const bench::GridMesh grid = bench::grid_mesh();
    return grid;
}

// The argument is the number of zoom-in clicks before the repaint; the
// element cache is filled before timing, as after a run.
void BM_RepaintImage(benchmark::State& state) {
    const bench::GridMesh& grid = mesh();
    const ViewState view = bench::zoomed_view(static_cast<int>(state.range(0)));
    ElementCache cache;
    ImageCanvas canvas;
    canvas.resize(bench::CLIENT_WIDTH, bench::CLIENT_HEIGHT);
    paint_mesh(canvas, view, &grid.finished, cache);
    for (auto _ : state) {
        paint_mesh(canvas, view, &grid.finished, cache);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    // White pixels of the last repaint, to see that it drew the mesh.
    std::int64_t white = 0;
    for (int y = 0; y < canvas.image().height(); ++y) {
        for (int x = 0; x < canvas.image().width(); ++x)
            white += canvas.image().pixel(x, y) == qRgb(255, 255, 255);
    }
    state.counters["white_pixels"] = static_cast<double>(white);
    state.SetItemsProcessed(state.iterations() * 3 *
                            static_cast<std::int64_t>(cache.elements(grid.finished).size()));
}

BENCHMARK(BM_RepaintImage)->ArgName("zoom_clicks")->Arg(0)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
