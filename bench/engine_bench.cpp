// Throughput of the mesh engine on the node layout that the interior node
// search produces: a triangular lattice over the 0..399 square, swept row by
// row from Y = 399 upwards, each row left to right, every node slightly off
// its lattice point.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "engine/voronoi.h"

namespace {

using tesu::MeshTables;
using tesu::Point;
using tesu::VoronoiBuilder;

struct Lattice {
    std::vector<Point> points;
    double spacing;
};

// The first `count` points of a jittered triangular lattice in sweep order.
Lattice jittered_lattice(int count) {
    // Spacing at which the square holds a little more than `count` points.
    double h = std::sqrt(2 * 400.0 * 400.0 / (std::sqrt(3.0) * count)) * 0.995;
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> jitter(-0.15 * h, 0.15 * h);
    for (;;) {
        std::vector<Point> points;
        points.reserve(static_cast<std::size_t>(count));
        int row = 0;
        for (double y = 399; y >= 0 && static_cast<int>(points.size()) < count;
             y -= std::sqrt(3.0) / 2 * h, ++row) {
            for (double x = (row % 2) * h / 2; x <= 399 && static_cast<int>(points.size()) < count; x += h) {
                points.push_back({x + jitter(random), y + jitter(random)});
            }
        }
        if (static_cast<int>(points.size()) == count) return {points, h};
        h *= 0.99;
    }
}

// Puts the points into node rows 4 onwards; start_diagram leaves those rows
// alone.
void store_nodes(MeshTables& mesh, const std::vector<Point>& points) {
    for (std::size_t i = 0; i < points.size(); ++i) mesh.node_xy[4 + static_cast<int>(i)] = points[i];
}

void insert_all(VoronoiBuilder& builder, int count) {
    builder.start_diagram();
    for (int k = 4; k < 4 + count; ++k) {
        builder.insert_node(k);
        builder.mesh().number = k;
    }
}

// Insertion into tables whose memory an untimed first pass has touched.
void BM_InsertLattice(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto lattice = jittered_lattice(count);
    auto mesh = std::make_unique<MeshTables>();
    VoronoiBuilder builder(*mesh);
    store_nodes(*mesh, lattice.points);
    insert_all(builder, count);
    for (auto _ : state) {
        insert_all(builder, count);
        benchmark::DoNotOptimize(mesh->vp_number);
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["vp_number"] = mesh->vp_number;
}

// The same into freshly reserved tables, as in the first run of the
// program: the cost of committing their memory page by page is included.
void BM_InsertLatticeFreshTables(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto lattice = jittered_lattice(count);
    for (auto _ : state) {
        state.PauseTiming();
        auto mesh = std::make_unique<MeshTables>();
        auto builder = std::make_unique<VoronoiBuilder>(*mesh);
        store_nodes(*mesh, lattice.points);
        state.ResumeTiming();
        insert_all(*builder, count);
        benchmark::DoNotOptimize(mesh->vp_number);
        state.PauseTiming();
        builder.reset();
        mesh.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// The acceptance test of the interior search: each candidate, a little
// beyond a lattice node along its row, is measured by a walk that starts at
// that node, as the search starts at the node it accepted last.
void BM_NearestDistanceLattice(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto lattice = jittered_lattice(count);
    auto mesh = std::make_unique<MeshTables>();
    VoronoiBuilder builder(*mesh);
    store_nodes(*mesh, lattice.points);
    insert_all(builder, count);
    const int query = mesh->number + 1;
    const double step = lattice.spacing / 2;
    double sum = 0;
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            const Point& node = lattice.points[static_cast<std::size_t>(i)];
            mesh->node_xy[query] = {node.x + step, node.y};
            sum += builder.nearest_distance2(4 + i, query);
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(BM_InsertLattice)->Arg(100'000)->Arg(450'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertLatticeFreshTables)->Arg(100'000)->Arg(450'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NearestDistanceLattice)->Arg(100'000)->Arg(450'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
