// The sequence of a whole run: its boxes in order and the computing time of
// the report, on a clock that moves only while a box is up.
#include "run/run_driver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/batch_runner.h"

namespace tesu {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;

const std::string PLATE = "0 0\n100 0\n100 50\n0 50\n0 0\nb = 5\ns = 2\n";

// Answers every box with OK. The user takes 100 seconds over a failure's
// box and 50 over any other.
struct SlowUser : Platform {
    Answer message_box(std::string_view caption, std::string_view text, Buttons, MessageKind) override {
        captions.emplace_back(caption);
        last_text = text;
        now += caption == OUTPUT_ERROR_CAPTION ? 100 : 50;
        return Answer::ok;
    }
    std::int32_t clock_seconds() override { return now; }

    std::vector<std::string> captions;
    std::string last_text;
    std::int32_t now = 1000;
};

TEST(RunDriver, TheComputingTimeLeavesOutTheSummaryAndAFailedWritesBox) {
    const testing::TempFolder folder;
    RunRequest request;
    request.output_override = (folder.path() / "no folder" / "plate.TES").string();
    MeshRun run;
    RunResults results;
    SlowUser user;
    RunObserver silent;
    run_mesh_generation(run, folder.write("plate.DAT", PLATE).string(), request, results, user, silent);

    EXPECT_THAT(user.captions, ElementsAre(std::string(SUMMARY_CAPTION), std::string(OUTPUT_ERROR_CAPTION),
                                           std::string(REPORT_CAPTION)));
    EXPECT_EQ(results.outcome, RunOutcome::output_failed);
    ASSERT_TRUE(results.mesh);
    EXPECT_EQ(results.waiting_time, 100);
    EXPECT_THAT(user.last_text, EndsWith("計算時間= 0 秒"));
}

TEST(RunDriver, AStoppedBuildEndsWithoutAReport) {
    const testing::TempFolder folder;
    MeshRun run;
    RunResults results;
    SlowUser user;
    RunObserver silent;
    std::stop_source stop;
    stop.request_stop();
    run_mesh_generation(run, folder.write("plate.DAT", PLATE).string(), {}, results, user, silent,
                        stop.get_token());

    EXPECT_THAT(user.captions, ElementsAre(std::string(SUMMARY_CAPTION)));
    EXPECT_EQ(results.outcome, RunOutcome::stopped);
    EXPECT_FALSE(results.mesh);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "plate.TES"));
}

}  // namespace
}  // namespace tesu
