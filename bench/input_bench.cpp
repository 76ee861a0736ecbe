// The two look-ups the node stages make at every lattice point, each with
// and without its index: the inside test on a circle of 1,000 points, and
// the wanted spacing with 200 refinements over it. Queries cycle over the
// points of a lattice that covers the drawing square.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "input/density_field.h"
#include "input/inside_test.h"
#include "tests/input/node_test_support.h"

namespace {

using tesu::InputTables;
using tesu::Point;

const std::vector<Point>& query_points() {
    static const std::vector<Point> points = [] {
        std::vector<Point> lattice;
        for (double y = 0; y <= 399; y += 1.7) {
            for (double x = 0; x <= 399; x += 1.3) lattice.push_back({x, y});
        }
        return lattice;
    }();
    return points;
}

// A circle of 1,000 points filling the drawing square, with the given number
// of random refinements around and over it.
std::unique_ptr<InputTables> refined_circle(int refinements) {
    auto input = std::make_unique<InputTables>();
    tesu::testing::add_figure(*input, tesu::testing::circle(200, 200, 199.5, 1000));
    input->basic_density = 8;
    std::mt19937 random(12);
    std::uniform_real_distribution<double> place(-50, 450);
    std::uniform_real_distribution<double> radius(0.1, 8);
    std::uniform_real_distribution<double> reach(1, 60);
    for (int k = 0; k < refinements; ++k) {
        const double x = place(random);
        const double y = place(random);
        const double r = radius(random);
        tesu::testing::add_density_row(*input, x, y, r, reach(random));
    }
    return input;
}

// The argument is 0 for the pass over every edge or refinement, 1 for the
// look-up through the index.
template <typename Query>
void run_queries(benchmark::State& state, Query query) {
    const std::vector<Point>& points = query_points();
    double sum = 0;
    for (auto _ : state) {
        for (const Point& p : points) sum += query(p.x, p.y);
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points.size()));
    state.SetLabel(state.range(0) ? "indexed" : "plain");
}

void BM_InsideFigures(benchmark::State& state) {
    const auto input = refined_circle(0);
    if (state.range(0)) input->outline_index.build(*input);
    run_queries(state, [&](double x, double y) { return tesu::inside_figures(*input, x, y); });
}

void BM_LocalDensity(benchmark::State& state) {
    const auto input = refined_circle(200);
    if (state.range(0)) input->density_index.build(*input);
    run_queries(state, [&](double x, double y) { return tesu::local_density(*input, x, y); });
}

BENCHMARK(BM_InsideFigures)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocalDensity)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
