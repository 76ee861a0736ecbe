// Many insertions, checked against the mesh invariants.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "mesh_test_support.h"

namespace tesu {
namespace {

using namespace testing;

class ManyInsertions : public ::testing::TestWithParam<int> {
protected:
    Diagram diagram;
    MeshTables& mesh = diagram.mesh;
    VoronoiBuilder& builder = diagram.builder;
    std::mt19937_64 random{static_cast<std::uint64_t>(GetParam())};

    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    }
};

TEST_P(ManyInsertions, RandomNodesKeepTheInvariantsAfterEachInsertion) {
    for (int i = 0; i < 120; ++i) {
        insert_point(builder, uniform(0, 399), uniform(0, 399));
        ASSERT_TRUE(check_invariants(builder, true)) << "after node " << mesh.number;
    }
}

TEST_P(ManyInsertions, JitteredLatticeRowByRow) {
    const double h = 4.0;
    for (int row = 0; 399 - row * h * std::sqrt(3.0) / 2 >= 0; ++row) {
        for (double x = row % 2 * h / 2; x <= 399; x += h) {
            insert_point(builder, x + uniform(-0.1, 0.1),
                         399 - row * h * std::sqrt(3.0) / 2 + uniform(-0.1, 0.1));
        }
    }
    EXPECT_GT(mesh.number, 10000);
    EXPECT_TRUE(check_invariants(builder, false));
}

TEST_P(ManyInsertions, NodeWithoutCoordinatesNeitherOverrunsNorHangs) {
    // A NaN node breaks the preconditions; what follows must finish or end
    // with a message. The sanitizer build checks that no table is overrun.
    for (int i = 0; i < 20; ++i) insert_point(builder, uniform(0, 399), uniform(0, 399));
    try {
        insert_point(builder, std::nan(""), std::nan(""));
        for (int i = 0; i < 200; ++i) insert_point(builder, uniform(0, 399), uniform(0, 399));
    } catch (const Error& error) {
        EXPECT_EQ(error.cause(), ErrorCause::computation);
    }
    // Whatever the broken run left in the tables and caches, a new diagram
    // in the same builder must be sound.
    builder.start_diagram();
    for (int i = 0; i < 120; ++i) insert_point(builder, uniform(0, 399), uniform(0, 399));
    EXPECT_TRUE(check_invariants(builder, true));
}

INSTANTIATE_TEST_SUITE_P(Seeds, ManyInsertions, ::testing::Values(1, 2, 3),
                         [](const auto& info) { return "seed_" + std::to_string(info.param); });

TEST(DegenerateInsertion, CocircularAndCollinearNodes) {
    // Every square of the grid has four nodes on one circle.
    Diagram diagram;
    VoronoiBuilder& builder = diagram.builder;
    for (int i = 0; i < 1600; ++i) insert_point(builder, i % 40 * 10.0, i / 40 * 10.0);
    EXPECT_TRUE(check_invariants(builder, true));
    builder.start_diagram();
    for (int i = 0; i < 200; ++i) insert_point(builder, 1.0 + 2.0 * i, 1.0 + 2.0 * i);
    EXPECT_TRUE(check_invariants(builder, true));
}

}  // namespace
}  // namespace tesu
