// The drawing rules of the repaint on a mesh of 897,800 elements, without a
// window system: putting the elements of the finished mesh into paint order
// once after a run, and mapping every element edge onto the client area at a
// zoom click, onto a canvas that only counts its lines. The pixels themselves
// are set by the window program's canvas, measured in repaint_bench where Qt
// is available.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "grid_mesh.h"
#include "ui/drawing.h"

namespace {

using namespace tesu;

class CountingCanvas : public Canvas {
public:
    void line(int x0, int y0, int x1, int y1, Colour) override {
        ++lines;
        ends += x0 + y0 + x1 + y1;
    }
    void set_pixel(int, int, Colour) override {}
    void erase() override {}
    std::int64_t lines = 0;
    std::int64_t ends = 0;
};

const bench::GridMesh& mesh() {
    static const bench::GridMesh grid = bench::grid_mesh();
    return grid;
}

// The paint order of every element, as the element cache finds it once per
// run.
void BM_ElementsInPaintOrder(benchmark::State& state) {
    const bench::GridMesh& grid = mesh();
    std::size_t count = 0;
    for (auto _ : state) {
        ElementCache cache;
        count = cache.elements(grid.finished).size();
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

// One repaint with the elements already found, after as many zoom-in clicks
// at the centre as the argument.
void BM_PaintMeshRules(benchmark::State& state) {
    const bench::GridMesh& grid = mesh();
    const ViewState view = bench::zoomed_view(static_cast<int>(state.range(0)));
    ElementCache cache;
    CountingCanvas canvas;
    paint_mesh(canvas, view, &grid.finished, cache);
    canvas.lines = 0;
    for (auto _ : state) paint_mesh(canvas, view, &grid.finished, cache);
    benchmark::DoNotOptimize(canvas.ends);
    state.SetItemsProcessed(canvas.lines);
}

BENCHMARK(BM_ElementsInPaintOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintMeshRules)->ArgName("zoom_clicks")->Arg(0)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
