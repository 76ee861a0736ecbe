// The point look-up over a whole run's mesh: every node and every element
// is found where it lies.
#include "ui/mesh_probe.h"

#include <gtest/gtest.h>

#include "run/mesh_run.h"

namespace tesu {
namespace {

TEST(MeshProbe, FindsEachNodeAtItsPlaceAndEachElementAtItsCentroid) {
    MeshRun run;
    ASSERT_TRUE(run.read(TESU_SOURCE_DIR "/examples/plate.DAT"));
    run.prepare();
    RunObserver quiet;
    const std::optional<FinishedMesh> mesh = run.build(quiet);
    ASSERT_TRUE(mesh);
    ASSERT_GT(mesh->triangles.size(), 300u);
    const MeshTables& tables = run.tables();
    const auto at = [&](int n) { return tables.node_xy[n + 3]; };

    MeshProbe probe;
    for (int n = 1; n <= static_cast<int>(mesh->nodes.size()); ++n)
        EXPECT_EQ(probe.node_near(*mesh, at(n).x, at(n).y, 0.1), n);
    for (std::size_t e = 0; e < mesh->triangles.size(); ++e) {
        const auto& [p, q, r] = mesh->triangles[e];
        const double x = (at(p).x + at(q).x + at(r).x) / 3;
        const double y = (at(p).y + at(q).y + at(r).y) / 3;
        EXPECT_EQ(probe.element_at(*mesh, x, y), static_cast<int>(e + 1));
        EXPECT_EQ(probe.node_near(*mesh, x, y, 0.01), 0);
    }
    EXPECT_EQ(probe.element_at(*mesh, 200, 299), 0);  // in the hole
    EXPECT_EQ(probe.element_at(*mesh, -5, 10), 0);    // beside the plate
}

}  // namespace
}  // namespace tesu
