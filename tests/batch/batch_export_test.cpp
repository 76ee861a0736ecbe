// tesu-batch --export and --stats as scripts use them: which files appear,
// what goes to which stream, exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/batch_runner.h"

namespace tesu::testing {
namespace {

namespace fs = std::filesystem;

// The value of the "name: value" line of the summary, "" when missing.
std::string summary_value(const std::string& out, const std::string& name) {
    const std::size_t at = out.find("\n" + name + ": ");
    if (at == std::string::npos) return "";
    const std::size_t from = at + name.size() + 3;
    return out.substr(from, out.find('\n', from) - from);
}

TEST(BatchExport, WritesEveryFormatNextToTheResult) {
    TempFolder folder;
    const auto data = folder.write("square.DAT", SQUARE);
    const fs::path out = folder.path();

    const BatchRun run =
        run_batch({"--export", (out / "m.msh").string(), "--export", (out / "m.vtu").string(), "--export",
                   (out / "m.ele").string(), "--export", (out / "M.POLY").string(), data.string()});

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (const char* name : {"square.TES", "m.msh", "m.vtu", "m.node", "m.ele", "M.POLY"}) {
        EXPECT_TRUE(fs::exists(out / name)) << name;
    }
    EXPECT_EQ(read_bytes(out / "m.msh").rfind("$MeshFormat\n2.2 0 8\n", 0), 0u);
    EXPECT_EQ(run.out.find("mesh quality:"), std::string::npos);  // only with --stats
}

TEST(BatchExport, UnknownFormatIsRefusedBeforeMeshing) {
    TempFolder folder;
    const auto data = folder.write("square.DAT", SQUARE);

    const BatchRun run = run_batch({"--export", (folder.path() / "m.stl").string(), data.string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("m.stl"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(folder.path() / "square.TES"));
}

TEST(BatchExport, FailedExportIsStatusTwoAndTheRestIsStillWritten) {
    TempFolder folder;
    const auto data = folder.write("square.DAT", SQUARE);
    const fs::path missing = folder.path() / "missing" / "m.vtu";

    const BatchRun run = run_batch(
        {"--export", missing.string(), "--export", (folder.path() / "m.msh").string(), data.string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(missing.string() + ": cannot write the export"), std::string::npos) << run.err;
    EXPECT_TRUE(fs::exists(folder.path() / "square.TES"));
    EXPECT_TRUE(fs::exists(folder.path() / "m.msh"));
}

TEST(BatchStats, SummaryAfterEachRunAgreesWithTheReport) {
    TempFolder folder;
    const auto first = folder.write("a.DAT", SQUARE);
    const auto second = folder.write("b.DAT", SQUARE);

    const BatchRun run = run_batch({"--stats", first.string(), second.string()});

    EXPECT_EQ(run.status, 0) << run.err;
    const std::size_t a = run.out.find("mesh quality: " + first.string() + "\n");
    const std::size_t b = run.out.find("mesh quality: " + second.string() + "\n");
    ASSERT_NE(a, std::string::npos) << run.out;
    ASSERT_NE(b, std::string::npos) << run.out;
    EXPECT_LT(a, run.out.find("b.TES というファイル名で"));  // printed when its own run ends
    const std::string summary = run.out.substr(a, b - a);

    const std::string nodes = summary_value(summary, "nodes");
    const std::string elements = summary_value(summary, "elements");
    EXPECT_NE(run.out.find("ノード数 = " + nodes + ", 要素数 = " + elements + "\n"), std::string::npos)
        << summary;
    // A convex figure is covered exactly by its Delaunay triangles.
    EXPECT_EQ(summary_value(summary, "area ratio"), "1.000000");
    int binned = 0;
    for (int low = 0; low < 60; low += 10) {
        const std::string count = summary_value(
            summary, "elements with smallest angle " + std::to_string(low) + "-" + std::to_string(low + 10));
        ASSERT_FALSE(count.empty()) << low;
        binned += std::stoi(count);
    }
    EXPECT_EQ(std::to_string(binned), elements);
}

}  // namespace
}  // namespace tesu::testing
