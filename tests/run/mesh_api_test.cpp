// The core as one call: a domain built in code or read from a data file,
// meshed on tables of its own, exactly as a run over the data file meshes it.
#include "run/mesh_api.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>

#include "input/data_file.h"
#include "run/mesh_run.h"

namespace tesu {
namespace {

const std::string EXAMPLES = std::string(TESU_SOURCE_DIR) + "/examples/";

// examples/plate.DAT, built in code.
Domain plate() {
    Domain domain;
    domain.outlines = {{{0, 0}, {100, 0}, {100, 50}, {0, 50}, {0, 0}},
                       {{40, 20}, {60, 20}, {60, 30}, {40, 30}, {40, 20}}};
    domain.spacing = 5.0;
    domain.refinements = {{20, 25, 1.5, 20}};
    domain.span = 2;
    domain.division_points = {{80, 25}};
    return domain;
}

// Bit for bit: every coordinate, node number and angle.
void expect_same_mesh(const FinishedMesh& a, const FinishedMesh& b) {
    ASSERT_EQ(a.nodes.size(), b.nodes.size());
    for (std::size_t i = 0; i < a.nodes.size(); ++i) {
        ASSERT_EQ(a.nodes[i].x, b.nodes[i].x) << i;
        ASSERT_EQ(a.nodes[i].y, b.nodes[i].y) << i;
    }
    EXPECT_EQ(a.elements, b.elements);
    EXPECT_EQ(a.smallest_angles, b.smallest_angles);
    EXPECT_EQ(a.outline_point_nodes, b.outline_point_nodes);
    EXPECT_EQ(a.division_point_nodes, b.division_point_nodes);
}

FinishedMesh mesh_of_file(const std::string& path) {
    MeshRun run;
    EXPECT_TRUE(run.read(path));
    return *run.build(quiet);
}

TEST(MeshApi, DomainsBuiltInCodeOrReadGiveTheMeshOfTheDataFile) {
    const FinishedMesh from_file = mesh_of_file(EXAMPLES + "plate.DAT");
    expect_same_mesh(mesh(plate()), from_file);
    for (const char* example : {"plate.DAT", "two_parts.DAT", "bracket.DAT"}) {
        const std::optional<Domain> read = read_domain(EXAMPLES + example);
        ASSERT_TRUE(read) << example;
        expect_same_mesh(mesh(*read), mesh_of_file(EXAMPLES + example));
    }
}

TEST(MeshApi, ASecondBuildOfOneRunGivesTheSameMesh) {
    MeshRun run;
    run.load(plate());
    const FinishedMesh first = *run.build(quiet);
    expect_same_mesh(*run.build(quiet), first);
}

TEST(MeshApi, TwoThreadsMeshAtOnceAsOneAfterTheOther) {
    Domain fine = plate();
    fine.spacing = 0.5;
    const FinishedMesh alone = mesh(fine);
    FinishedMesh a;
    FinishedMesh b;
    {
        std::jthread first([&] { a = mesh(fine); });
        std::jthread second([&] { b = mesh(fine); });
    }
    expect_same_mesh(a, alone);
    expect_same_mesh(b, alone);
}

TEST(MeshApi, ASmallMeshFitsInALimitedAddressSpace) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's shadow memory alone passes any such limit";
#endif
    // The tables reserve what the domain can need, not the node limit's 1.8 GB.
    const auto limited = [] {
        const rlimit limit{700'000'000, 700'000'000};
        setrlimit(RLIMIT_AS, &limit);
        std::exit(mesh(plate()).elements.empty() ? 1 : 0);
    };
    EXPECT_EXIT(limited(), ::testing::ExitedWithCode(0), "");
}

TEST(MeshApi, AStopRequestedEndsTheCallWithStopped) {
    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(mesh(plate(), {}, quiet, stop.get_token()), Stopped);
}

struct BadDomain {
    const char* name;
    Domain domain;
    std::string_view text;
};

class RefusedDomain : public ::testing::TestWithParam<BadDomain> {};

TEST_P(RefusedDomain, IsRefusedWithTheReadersTextWithoutALine) {
    try {
        mesh(GetParam().domain);
        FAIL() << "not refused";
    } catch (const Error& error) {
        EXPECT_EQ(error.cause(), ErrorCause::read);
        EXPECT_EQ(error.caption(), READ_ERROR_CAPTION);
        EXPECT_EQ(error.text(), GetParam().text);
    }
}

std::vector<BadDomain> bad_domains() {
    std::vector<BadDomain> cases;
    const auto with = [&](const char* name, std::string_view text, auto change) {
        Domain domain = plate();
        change(domain);
        cases.push_back({name, domain, text});
    };
    with("unclosed_outline", OUTLINE_FAILURE, [](Domain& d) { d.outlines[1].pop_back(); });
    with("empty_outline", OUTLINE_FAILURE, [](Domain& d) { d.outlines[1].clear(); });
    with("no_outline", OUTLINE_FAILURE, [](Domain& d) { d.outlines.clear(); });
    with("nan_point", OUTLINE_FAILURE, [](Domain& d) { d.outlines[0][2].x = NAN; });
    with("negative_spacing", BASIC_DENSITY_FAILURE, [](Domain& d) { d.spacing = -5; });
    with("zero_radius", DENSITY_SPEC_FAILURE, [](Domain& d) { d.refinements[0].radius = 0; });
    with("infinite_span", SPAN_FAILURE, [](Domain& d) { d.span = INFINITY; });
    with("nan_division_point", DIVISION_FAILURE, [](Domain& d) { d.division_points[0].y = NAN; });
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Domains, RefusedDomain, ::testing::ValuesIn(bad_domains()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tesu
