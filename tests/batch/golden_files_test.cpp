// The example data files meshed and compared byte for byte with their result
// files as checked in, so that any change in the output shows. After an
// intended change, regenerate them with TESU_REGENERATE_GOLDEN=1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "input/mesh_run.h"
#include "support/batch_runner.h"
#include "ui/headless_platform.h"

namespace tesu::testing {
namespace {

namespace fs = std::filesystem;

struct GoldenCase {
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
    auto mesh = std::make_unique<MeshTables>();
    auto input = std::make_unique<InputTables>();
    RunResults results;
    HeadlessPlatform platform;
    input->input_file_name = std::string(TESU_SOURCE_DIR) + "/examples/" + golden.example + ".DAT";
    results.histogram_step = golden.histogram_step;
    results.output_override = (folder.path() / "result.TES").string();

    run_mesh_generation(*mesh, *input, results, platform);
    ASSERT_EQ(results.outcome, RunOutcome::written);
    const std::string written = read_bytes(results.output_override);

    const fs::path golden_path = fs::path(TESU_SOURCE_DIR) / "tests" / "golden" / golden_name(golden);
    if (std::getenv("TESU_REGENERATE_GOLDEN")) {
        std::ofstream(golden_path, std::ios::binary) << written;
        GTEST_SKIP() << "regenerated " << golden_path;
    }
    ASSERT_TRUE(fs::exists(golden_path)) << golden_path;
    EXPECT_TRUE(read_bytes(golden_path) == written) << golden_path << " differs from the run's result";
}

INSTANTIATE_TEST_SUITE_P(Examples, GoldenFiles,
                         ::testing::Values(GoldenCase{"plate", 0}, GoldenCase{"plate", 1},
                                           GoldenCase{"disc", 0}, GoldenCase{"disc", 3},
                                           GoldenCase{"two_parts", 0}, GoldenCase{"two_parts", 2}),
                         [](const auto& info) {
                             return std::string(info.param.example) + "_h" +
                                    std::to_string(info.param.histogram_step);
                         });

}  // namespace
}  // namespace tesu::testing
