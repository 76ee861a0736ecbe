// tesu-batch as scripts use it: exit statuses, where messages go, which files
// appear.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/batch_runner.h"

namespace tesu::testing {
namespace {

namespace fs = std::filesystem;

TEST(BatchProgram, MeshesAValidFileAndPrintsSummaryAndReport) {
    TempFolder folder;
    const auto data = folder.write("square.DAT", SQUARE);

    const BatchRun run = run_batch({data.string()});

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("データ読み込み終了"), std::string::npos);
    EXPECT_NE(run.out.find("square.TES というファイル名で"), std::string::npos);
    EXPECT_NE(run.out.find("データ出力終了"), std::string::npos);
    EXPECT_NE(run.out.find("輪郭線上のノード数 = 16"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(fs::exists(folder.path() / "square.TES"));
}

TEST(BatchProgram, WritesWhereToldWithMinusO) {
    TempFolder folder;
    const auto data = folder.write("square.DAT", SQUARE);
    const auto result = folder.path() / "elsewhere.TES";

    const BatchRun run = run_batch({"-o", result.string(), data.string()});

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(result));
    EXPECT_FALSE(fs::exists(folder.path() / "square.TES"));
}

TEST(BatchProgram, RefusedFileGivesStatusTwoMessageOnStderrAndNoResult) {
    TempFolder folder;
    const auto data = folder.write("bad.DAT", "0 0\n10 0\n10 10\n0 0\nb 5\ns = 1\n");

    const BatchRun run = run_batch({data.string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("図形データ読み込みエラー"), std::string::npos);
    EXPECT_NE(run.err.find("基本密度 Read Error!"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder.path() / "bad.TES"));
}

TEST(BatchProgram, OverlongLineIsARefusal) {
    TempFolder folder;
    const auto data = folder.write("long.DAT", "0 0\n" + std::string(78, '1') + "\nb = 1\ns = 1\n");

    const BatchRun run = run_batch({data.string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("1行が長すぎます。78文字以内にして下さい。"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder.path() / "long.TES"));
}

TEST(BatchProgram, MissingFileIsReportedOnStderr) {
    TempFolder folder;
    const BatchRun run = run_batch({(folder.path() / "absent.DAT").string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("absent.DAT: cannot open"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(BatchProgram, UnwritableResultIsAFailureAndKeepsTheReport) {
    TempFolder folder;
    const auto data = folder.write("square.DAT", SQUARE);
    const auto result = folder.path() / "no-such-folder" / "square.TES";

    const BatchRun run = run_batch({"-o", result.string(), data.string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("データ出力エラー"), std::string::npos);
    EXPECT_NE(run.err.find(result.string() + " に結果を書き込めませんでした。\n(No such file or directory)"),
              std::string::npos);
    EXPECT_NE(run.out.find("輪郭線上のノード数 = 16"), std::string::npos) << run.out;
}

TEST(BatchProgram, SeveralFilesEachOnItsOwnWithTheWorstStatus) {
    TempFolder folder;
    const auto good = folder.write("good.DAT", SQUARE);
    const auto duplicate = folder.write("dup.DAT", "0 0\n10 0\n10 0\n0 10\n0 0\nb = 2\ns = 1\n");
    const auto later = folder.write("later.DAT", SQUARE);

    const BatchRun run = run_batch({good.string(), duplicate.string(), later.string()});

    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("元データに重複があります"), std::string::npos);
    EXPECT_TRUE(fs::exists(folder.path() / "good.TES"));
    EXPECT_FALSE(fs::exists(folder.path() / "dup.TES"));
    EXPECT_TRUE(fs::exists(folder.path() / "later.TES"));
}

// A line that ends the desktop program ends only its own file's run here.
TEST(BatchProgram, AnOverlongLineLetsTheNextFilesMeshAndDashDashEndsTheOptions) {
    TempFolder folder;
    const auto bad = folder.write("bad.DAT", "0 0\n" + std::string(100, '1') + "\nb = 1\ns = 1\n");
    const auto dashed = folder.write("-good.DAT", SQUARE);

    const BatchRun run = run_batch({bad.string(), "--", "-good.DAT"}, folder.path());

    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(bad.string() + ": the data file was refused"), std::string::npos) << run.err;
    EXPECT_TRUE(fs::exists(folder.path() / "-good.TES"));
}

// Inputs that made the node search run for ever, or the arithmetic give
// NaN, are refused at once; a mesh without elements is written but counts
// as refused.
TEST(BatchProgram, InputsWithoutAUsableMeshAreRefusedAtOnce) {
    const std::string square = "0 0\n10 0\n10 10\n0 10\n0 0\n";
    const std::pair<std::string, std::string> cases[] = {
        {square + "b = 2\ns = 10000\n", "格子点が多すぎます。\nスパンまたは密度を見直して下さい。"},
        {square + "b = 2\n5 5 1e-16 3\ns = 2\n", "密度指定データの読み込み失敗！"},
        {"-1e308 -1e308\n1e308 -1e308\n1e308 1e308\n-1e308 -1e308\nb = 1e307\ns = 2\n",
         "座標データの読み込み失敗！"},
        {square + "5 1e5\nb = 2\ns = 2\n", "格子点が多すぎます。"},
        {"0 0\n1e-320 0\n0 1e-320\n0 0\nb = 1e-321\ns = 2\n", "座標データの読み込み失敗！"},
        {"0 0\n10 0\n10 10\nb = 2\ns = 2\n", "要素がありません。閉じた図形があるか確かめて下さい。"},
    };
    for (const auto& [data, message] : cases) {
        SCOPED_TRACE(data);
        TempFolder folder;
        const BatchRun run = run_batch({folder.write("hostile.DAT", data).string()});
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
}

// The tables of one run are reused by the next in the same call: the same
// data under another name gives the same result.
TEST(BatchProgram, SameDataTwiceInOneCallGivesTheSameResult) {
    TempFolder folder;
    const auto first = folder.write("first.DAT", SQUARE);
    const auto second = folder.write("second.DAT", SQUARE);

    ASSERT_EQ(run_batch({"--histogram", "2", first.string(), second.string()}).status, 0);

    EXPECT_EQ(read_bytes(folder.path() / "first.TES"), read_bytes(folder.path() / "second.TES"));
}

// No output may be the data file, another output, or a file of an earlier
// run of the same call; nothing is written then.
TEST(BatchProgram, OutputsThatAreTheDataFileOrEachOtherAreRefused) {
    TempFolder folder;
    const auto data = folder.write("x.DAT", SQUARE);
    const auto link = folder.path() / "link.DAT";
    std::filesystem::create_hard_link(data, link);
    const std::string clash = " はデータファイルと同じファイルです。別の名前を指定して下さい。";
    const std::vector<std::vector<std::string>> calls = {
        {"-o", data.string(), data.string()},
        {"-o", link.string(), data.string()},
        {"--svg", data.string(), data.string()},
        {"--export", (folder.path() / "x.ele").string(), "--export", (folder.path() / "x.node").string(),
         data.string()},
        {folder.write("y.TES", SQUARE).string()},
    };
    for (const auto& args : calls) {
        const BatchRun run = run_batch(args);
        EXPECT_EQ(run.status, 2) << args[1];
        EXPECT_NE(run.err.find("データ出力エラー"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(clash), std::string::npos) << run.err;
        EXPECT_EQ(read_bytes(data), SQUARE);
    }
    const auto first = folder.write("sq_0.1.DAT", SQUARE);
    const auto second = folder.write("sq_0.05.DAT", SQUARE);
    const BatchRun run = run_batch({first.string(), second.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find((folder.path() / "sq_0.TES").string() + clash), std::string::npos) << run.err;
}

// Typos that the reader passes over as it always has: the same result file
// as the lines read as far as they go, with each such line named, and
// refused under --strict. A label after a space stays silent.
TEST(BatchProgram, LinesReadOnlyInPartAreWarnedAboutAndRefusedWithStrict) {
    std::string typos = "0 0\n10 0\n10 1O\n0 10 corner\n0 0\nb = 2.5\n1 1 0.5\ns = 1\n";
    std::string as_read = "0 0\n10 0\n10 1\n0 10 corner\n0 0\nb = 2.5\n1 1 0.5 0\ns = 1\n";
    for (int i = 0; i < 11; ++i) {
        typos += "3 " + std::to_string(2 + i) + (i % 2 ? "e\n" : "O\n");
        as_read += "3 " + std::to_string(2 + i) + "\n";
    }
    TempFolder folder;
    const auto data = folder.write("typos.DAT", typos);
    TempFolder clean_folder;
    const auto clean = clean_folder.write("typos.DAT", as_read);

    const BatchRun warned = run_batch({data.string()});
    ASSERT_EQ(run_batch({clean.string()}).status, 0);

    EXPECT_EQ(warned.status, 0) << warned.err;
    EXPECT_EQ(read_bytes(folder.path() / "typos.TES"), read_bytes(clean_folder.path() / "typos.TES"));
    const std::string prefix = data.string() + ": ";
    std::string expected = prefix + "3 行目の数値は一部しか読めません: 10 1O\n" + prefix +
                           "7 行目の数値は一部しか読めません: 1 1 0.5\n";
    for (int i = 0; i < 8; ++i) {
        expected += prefix + std::to_string(9 + i) + " 行目の数値は一部しか読めません: 3 " +
                    std::to_string(2 + i) + (i % 2 ? "e\n" : "O\n");
    }
    expected += prefix + "ほかに 3 行の数値も一部しか読めません。\n";
    // The reader's warnings come first; what the run says of the mesh follows.
    EXPECT_EQ(warned.err.substr(0, expected.size()), expected);

    fs::remove(folder.path() / "typos.TES");
    const BatchRun strict = run_batch({"--strict", data.string()});
    EXPECT_EQ(strict.status, 2);
    EXPECT_NE(strict.err.find(data.string() + ": 3 行目の数値は一部しか読めません: 10 1O\n"),
              std::string::npos)
        << strict.err;
    EXPECT_EQ(strict.err.find("7 行目"), std::string::npos) << strict.err;
    EXPECT_FALSE(fs::exists(folder.path() / "typos.TES"));
    EXPECT_EQ(run_batch({"--strict", clean.string()}).status, 0);
}

TEST(BatchProgram, UsageErrorsAndHelp) {
    EXPECT_EQ(run_batch({"--help"}).status, 0);
    EXPECT_NE(run_batch({"--help"}).out.find("--histogram"), std::string::npos);
    EXPECT_EQ(run_batch({}).status, 2);
    EXPECT_EQ(run_batch({"--histogram", "4", "x.DAT"}).status, 2);
    EXPECT_EQ(run_batch({"--frobnicate", "x.DAT"}).status, 2);
    EXPECT_EQ(run_batch({"-o", "r.TES", "a.DAT", "b.DAT"}).status, 2);
}

}  // namespace
}  // namespace tesu::testing
