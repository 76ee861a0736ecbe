#include "engine/centre_cache.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/geometry.h"
#include "mesh_test_support.h"

namespace tesu {
namespace {

using namespace testing;

TEST(CentreCache, HoldsTheLatestCircleOfEachSlotUntilTheRunEnds) {
    CentreCache cache;
    cache.start_run();
    EXPECT_EQ(cache.find(5), nullptr);
    cache.store(5, {1.0, 2.0, 3.0});
    ASSERT_NE(cache.find(5), nullptr);
    EXPECT_EQ(cache.find(5)->radius2, 3.0);
    // A vp sharing the slot replaces the first; neither answers for the other.
    cache.store(5 + static_cast<int>(CentreCache::SIZE), {4.0, 5.0, 6.0});
    EXPECT_EQ(cache.find(5), nullptr);
    EXPECT_EQ(cache.find(5 + static_cast<int>(CentreCache::SIZE))->cx, 4.0);
    cache.start_run();
    EXPECT_EQ(cache.find(5 + static_cast<int>(CentreCache::SIZE)), nullptr);
}

// Uniformly random points of the drawing square.
std::vector<Point> random_points(int count, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> coordinate(0, 399);
    std::vector<Point> points(static_cast<std::size_t>(count));
    for (Point& point : points) point = {coordinate(random), coordinate(random)};
    return points;
}

// Every test of a vp, answered from the cache or not, must give the value
// computed from the tables.
TEST(CentreCache, InsertionsMatchTheCircleTestOfTheTables) {
    Diagram diagram;
    MeshTables& mesh = diagram.mesh;
    VoronoiBuilder& builder = diagram.builder;
    for (const Point& point : random_points(2000, 11)) insert_point(builder, point.x, point.y);
    int held = 0;
    for (int v = 4; v <= mesh.vp_number; ++v) {
        const Circle* circle = builder.work().centre_cache.find(v);
        if (vp_is_deleted(mesh, v) || circle == nullptr) continue;
        ++held;
        for (int k = 4; k <= mesh.number; k += 97) {
            ASSERT_EQ(circle_test(*circle, mesh.node_xy[k]), incircle_value(mesh, v, k)) << v;
        }
    }
    EXPECT_GT(held, 1000);
}

// A second run in the same tables numbers its vps from the start again, on
// other nodes: it must build exactly what fresh tables build.
TEST(CentreCache, ASecondRunInTheSameTablesMatchesFreshTables) {
    Diagram reused;
    for (const Point& point : random_points(500, 3)) insert_point(reused.builder, point.x, point.y);

    const std::vector<Point> points = random_points(500, 4);
    reused.builder.start_diagram();
    Diagram fresh;
    for (const Point& point : points) {
        insert_point(reused.builder, point.x, point.y);
        insert_point(fresh.builder, point.x, point.y);
    }
    ASSERT_EQ(reused.mesh.vp_number, fresh.mesh.vp_number);
    for (int v = 1; v <= fresh.mesh.vp_number; ++v) ASSERT_EQ(reused.mesh.vp_ve[v], fresh.mesh.vp_ve[v]) << v;
    for (int e = 1; e <= fresh.mesh.ve_number; ++e) {
        ASSERT_EQ(reused.mesh.ve_vp[e], fresh.mesh.ve_vp[e]) << e;
        ASSERT_EQ(reused.mesh.ve_node[e], fresh.mesh.ve_node[e]) << e;
    }
}

}  // namespace
}  // namespace tesu
