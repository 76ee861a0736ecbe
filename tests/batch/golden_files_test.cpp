// The example data files and a wider set of shapes (tests/golden/cases)
// meshed and compared byte for byte with their result files as checked in,
// so that any change in the output shows. After an
// intended change, regenerate them with TESU_REGENERATE_GOLDEN=1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "run/run_driver.h"
#include "support/batch_runner.h"
#include "ui/headless_platform.h"

namespace tesu::testing {
namespace {

namespace fs = std::filesystem;

struct GoldenCase {
    const char* folder;  // under the source folder
    const char* example;
    int histogram_step;
};

class GoldenFiles : public ::testing::TestWithParam<GoldenCase> {};

std::string golden_name(const GoldenCase& c) {
    return std::string(c.example) + "-h" + std::to_string(c.histogram_step) + ".TES";
}

TEST_P(GoldenFiles, ExampleGivesItsResultFileByteForByte) {
    const GoldenCase& golden = GetParam();
    const TempFolder folder;
    MeshRun run;
    RunRequest request;
    RunResults results;
    HeadlessPlatform platform;
    RunObserver silent;
    request.histogram_step = golden.histogram_step;
    request.output_override = (folder.path() / "result.TES").string();
    run_mesh_generation(run,
                        std::string(TESU_SOURCE_DIR) + "/" + golden.folder + "/" + golden.example + ".DAT",
                        request, results, platform, silent);
    ASSERT_EQ(results.outcome, RunOutcome::written);
    const std::string written = read_bytes(request.output_override);

    const fs::path golden_path = fs::path(TESU_SOURCE_DIR) / "tests" / "golden" / golden_name(golden);
    if (std::getenv("TESU_REGENERATE_GOLDEN")) {
        std::ofstream(golden_path, std::ios::binary) << written;
        GTEST_SKIP() << "regenerated " << golden_path;
    }
    ASSERT_TRUE(fs::exists(golden_path)) << golden_path;
    EXPECT_TRUE(read_bytes(golden_path) == written) << golden_path << " differs from the run's result";
}

constexpr const char* EXAMPLES = "examples";
constexpr const char* CASES = "tests/golden/cases";

std::string case_name(const ::testing::TestParamInfo<GoldenCase>& info) {
    return std::string(info.param.example) + "_h" + std::to_string(info.param.histogram_step);
}

INSTANTIATE_TEST_SUITE_P(Examples, GoldenFiles,
                         ::testing::Values(GoldenCase{EXAMPLES, "plate", 0}, GoldenCase{EXAMPLES, "plate", 1},
                                           GoldenCase{EXAMPLES, "disc", 0}, GoldenCase{EXAMPLES, "disc", 3},
                                           GoldenCase{EXAMPLES, "two_parts", 0},
                                           GoldenCase{EXAMPLES, "two_parts", 2}),
                         case_name);

// Each shape with no histogram and with bins of 2 degrees.
std::vector<GoldenCase> shape_cases() {
    std::vector<GoldenCase> cases;
    for (const char* shape :
         {"plate_outer_first", "circle_200", "strip_200x5", "far_from_origin", "overlapping_refinements",
          "division_grid", "nested_islands", "star_concave", "three_parts_holes", "thin_sliver"}) {
        for (int step : {0, 2}) cases.push_back({CASES, shape, step});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Shapes, GoldenFiles, ::testing::ValuesIn(shape_cases()), case_name);

}  // namespace
}  // namespace tesu::testing
