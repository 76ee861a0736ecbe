#include "engine/walk_cache.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/geometry.h"
#include "mesh_test_support.h"

namespace tesu {
namespace {

using namespace testing;

TEST(WalkCache, KeepsOneCellPerSlotUntilForgotten) {
    WalkCache cache;
    EXPECT_EQ(cache.find(0), nullptr);
    cache.store(7, {1, 2, 3}, 3);
    ASSERT_NE(cache.find(7), nullptr);
    EXPECT_EQ(cache.find(7)->degree(), 3);
    // Forgetting another node of the same slot leaves the cell alone.
    const int same_slot = 7 + static_cast<int>(WalkCache::SIZE);
    cache.forget(same_slot);
    EXPECT_NE(cache.find(7), nullptr);
    cache.store(same_slot, {4, 5, 6, 7}, 4);
    EXPECT_EQ(cache.find(7), nullptr);
    EXPECT_EQ(cache.find(same_slot)->neighbours[3], 7);
    cache.forget(same_slot);
    EXPECT_EQ(cache.find(same_slot), nullptr);
    cache.store(9, {1, 2, 3}, 3);
    cache.start_run();
    EXPECT_EQ(cache.find(9), nullptr);
}

// The walk as a turn through the tables would make it, on the order given
// by the test support: the node where it stops and its squared distance.
WalkEnd table_walk(const MeshTables& mesh, int s, const Point& target) {
    const auto distance2 = [&](int n) {
        const Point& p = mesh.node_xy[n];
        return (p.x - target.x) * (p.x - target.x) + (p.y - target.y) * (p.y - target.y);
    };
    int u = s;
    double best = distance2(s);
    for (bool moved = true; moved;) {
        moved = false;
        for (const int n : turn_order(mesh, u)) {
            if (n != INFINITE_NODE && best > distance2(n)) {
                best = distance2(n);
                u = n;
                moved = true;
                break;
            }
        }
    }
    return {u, best};
}

class WalkCacheInALattice : public ::testing::Test {
protected:
    Diagram diagram;
    MeshTables& mesh = diagram.mesh;
    VoronoiBuilder& builder = diagram.builder;
    std::mt19937_64 random{5};

    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    }

    int cached_cells() {
        int count = 0;
        for (int n = 1; n <= mesh.number; ++n) count += builder.work().walk_cache.find(n) != nullptr;
        return count;
    }
};

// Rows of a jittered lattice, each inserted left to right: the walk at the
// start of a row crosses rows settled long ago and keeps their cells, while
// the front changes the cells of the newest nodes. After every row, every
// cell kept must be the cell the tables give.
TEST_F(WalkCacheInALattice, KeptCellsMatchTheTablesAfterEveryRow) {
    const double h = 3.0;
    int most_cached = 0;
    for (int row = 0; 399 - row * h * std::sqrt(3.0) / 2 >= 0; ++row) {
        for (double x = row % 2 * h / 2; x <= 399; x += h) {
            insert_point(builder, x + uniform(-0.3, 0.3),
                         399 - row * h * std::sqrt(3.0) / 2 + uniform(-0.3, 0.3));
        }
        for (int n = 4; n <= mesh.number; ++n) {
            if (const WalkCache::Cell* cell = builder.work().walk_cache.find(n)) {
                const std::vector<int> kept(cell->neighbours.begin(),
                                            cell->neighbours.begin() + cell->degree());
                ASSERT_EQ(kept, turn_order(mesh, n)) << "node " << n << " after row " << row;
            }
        }
        most_cached = std::max(most_cached, cached_cells());
    }
    EXPECT_GT(most_cached, 1000);
}

// Walks from anywhere to anywhere, some of them long, must stop where a
// walk through the tables stops, whether the cells were kept before or are
// kept on the way.
TEST_F(WalkCacheInALattice, WalksStopWhereTheTableWalkStops) {
    for (int i = 0; i < 6000; ++i) insert_point(builder, uniform(0, 399), uniform(0, 399));
    const int query = mesh.number + 1;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 500; ++i) {
            const int start = 4 + static_cast<int>(random() % static_cast<unsigned>(mesh.number - 3));
            mesh.node_xy[query] = {uniform(-10, 410), uniform(-10, 410)};
            const WalkEnd expected = table_walk(mesh, start, mesh.node_xy[query]);
            const WalkEnd walked = builder.walk_to_nearest(start, query);
            ASSERT_EQ(walked.node, expected.node) << "walk " << i << " of pass " << pass;
            ASSERT_EQ(walked.distance2, expected.distance2);
        }
    }
    EXPECT_GT(cached_cells(), 1000);
}

}  // namespace
}  // namespace tesu
