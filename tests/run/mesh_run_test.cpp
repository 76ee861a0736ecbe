// The phases of a run as a caller drives them: what the observer hears, and
// a stop asked for half-way.
#include "run/mesh_run.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tesu {
namespace {

// A plate fine enough that the interior search reports its progress many
// times.
const std::string PLATE = "0 0\n100 0\n100 50\n0 50\n0 0\nb = 0.5\ns = 2\n";

struct CountingObserver : RunObserver {
    void nodes(std::span<const Point> points) override {
        ++node_batches;
        nodes_drawn += static_cast<long>(points.size());
    }
    void elements(std::span<const Segment> edges) override { edges_drawn += static_cast<long>(edges.size()); }
    void stage(RunStage stage, int nodes) override {
        if (stage == RunStage::interior_search && nodes > stop_after) stop.request_stop();
    }

    int node_batches = 0;
    long nodes_drawn = 0;
    long edges_drawn = 0;
    int stop_after = 1 << 30;
    std::stop_source stop;
};

MeshRun plate_run() {
    MeshRun run;
    std::istringstream data(PLATE);
    run.read(data, "plate.DAT");
    run.prepare();
    return run;
}

TEST(MeshRun, ObserverHearsOfEveryNodeAndElementEdgeInBatches) {
    MeshRun run = plate_run();
    CountingObserver observer;
    const std::optional<FinishedMesh> mesh = run.build(observer, observer.stop.get_token());
    ASSERT_TRUE(mesh);
    EXPECT_GE(observer.nodes_drawn, static_cast<long>(mesh->nodes.size()));
    EXPECT_LT(observer.node_batches, observer.nodes_drawn / 100);
    EXPECT_EQ(observer.edges_drawn, 3 * static_cast<long>(mesh->elements.size()));
}

TEST(MeshRun, AStopAskedForHalfWayEndsTheBuildWithoutAMesh) {
    MeshRun run = plate_run();
    CountingObserver observer;
    observer.stop_after = 5000;
    EXPECT_FALSE(run.build(observer, observer.stop.get_token()));
    // Stopped within a few hundred nodes of the request.
    EXPECT_LT(run.tables().number - 3, 6000);
    EXPECT_EQ(observer.edges_drawn, 0);
}

}  // namespace
}  // namespace tesu
