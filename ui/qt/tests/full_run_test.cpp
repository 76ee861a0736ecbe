// The main window around whole mesh generation runs on the example plate.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "image_checks.h"
#include "scripted_dialogs.h"
#include "test_files.h"
#include "ui/qt/main_window.h"

namespace tesu {
namespace {

using namespace testing;

constexpr std::string_view SUMMARY = "データ読み込み終了";
constexpr std::string_view REPORT = "データ出力終了";

QByteArray example_plate() { return TestFiles::read(TESU_SOURCE_DIR "/examples/plate.DAT"); }

class FullRunTest : public ::testing::Test {
protected:
    FullRunTest() { window.show(); }

    MeshView& view() { return *window.mesh_view(); }
    void click(Qt::MouseButton button, QPoint at) { QTest::mouseClick(&view(), button, {}, at); }
    QPoint centre() { return {view().width() / 2, view().height() / 2}; }

    // Loads the file through the open-file dialog.
    void load(const std::string& path) {
        dialogs.files.push_back(path);
        window.dispatch(LOAD_DATA);
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> result;
        for (const ShownBox& box : dialogs.boxes) result.push_back(box.caption);
        return result;
    }

    AppState state;
    ScriptedDialogs dialogs;
    MainWindow window{state, dialogs};
    TestFiles files;
};

TEST_F(FullRunTest, ARunDrawsIntoTheWindowAndTheRepaintDrawsTheElements) {
    QByteArray plate = example_plate();
    // The division-specified node moves into the hole, where no element
    // covers its dot.
    ASSERT_TRUE(plate.contains("\n80 25"));
    plate.replace("\n80 25", "\n50 25");
    const std::string path = files.write("plate.DAT", plate);

    QImage at_summary;
    QImage at_report;
    int ready_at_report = -1;
    dialogs.on_box = [&](const ShownBox& box) {
        if (box.caption == SUMMARY) at_summary = view().image().copy();
        if (box.caption == REPORT) {
            at_report = view().image().copy();
            ready_at_report = state.results.mesh_ready;
        }
    };
    view().canvas().set_pixel(3, 3, CYAN);
    load(path);

    ASSERT_THAT(captions(), ::testing::ElementsAre(SUMMARY, REPORT));
    EXPECT_TRUE(all_black(at_summary));
    EXPECT_EQ(ready_at_report, 1);
    EXPECT_GT(state.results.element_count, 100);
    EXPECT_GT(count_pixels(at_report, IMAGE_WHITE), 1000);
    const Point dot = state.input->division_xy[0];
    const double k = base_factor(state.view);
    EXPECT_EQ(at_report.pixel(int(dot.x * k), int(dot.y * k)), IMAGE_YELLOW);
    // The run's drawing stays until the next repaint.
    EXPECT_EQ(view().image(), at_report);

    click(Qt::LeftButton, centre());
    click(Qt::RightButton, centre());
    EXPECT_EQ(state.view.view_scale, 1.0);
    EXPECT_EQ(count_pixels(view().image(), IMAGE_YELLOW), 0);
    EXPECT_GT(count_pixels(view().image(), IMAGE_WHITE), 1000);
}

TEST_F(FullRunTest, VoronoiDiagramAndDetailsAfterARun) {
    load(files.write("plate.DAT", example_plate()));
    ASSERT_EQ(state.results.mesh_ready, 1);
    const int white = count_pixels(view().image(), IMAGE_WHITE);
    window.dispatch(SHOW_VORONOI);
    EXPECT_GT(count_pixels(view().image(), IMAGE_CYAN), 1000);
    EXPECT_LT(count_pixels(view().image(), IMAGE_WHITE), white);
    click(Qt::LeftButton, centre());
    EXPECT_EQ(count_pixels(view().image(), IMAGE_CYAN), 0);

    window.dispatch(SHOW_DETAILS);
    const std::string& text = dialogs.boxes.back().text;
    EXPECT_EQ(dialogs.boxes.back().caption, "データ情報の詳細");
    EXPECT_NE(text.find("要素数 = " + std::to_string(state.results.element_count) + "\n"), std::string::npos);
    EXPECT_NE(text.find("拡大率=2.000"), std::string::npos);
    EXPECT_NE(text.find("入力ファイル名=" + state.input->input_file_name + "\n"), std::string::npos);
}

TEST_F(FullRunTest, CancelInTheSummaryLeavesABlackWindowAndNoResult) {
    const std::string path = files.write("plate.DAT", example_plate());
    view().canvas().set_pixel(3, 3, CYAN);
    dialogs.answers = {Answer::cancel};
    load(path);
    EXPECT_THAT(captions(), ::testing::ElementsAre(SUMMARY));
    EXPECT_EQ(state.results.mesh_ready, 0);
    EXPECT_TRUE(all_black(view().image()));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(files.path("plate.TES"))));

    click(Qt::LeftButton, centre());
    window.dispatch(SHOW_DETAILS);
    EXPECT_EQ(state.view.view_scale, 1.0);
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

TEST_F(FullRunTest, AMissingFileClearsTheWindowSilently) {
    view().canvas().set_pixel(3, 3, CYAN);
    load(files.path("missing.DAT"));
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(state.results.mesh_ready, 0);
    EXPECT_TRUE(all_black(view().image()));
}

TEST_F(FullRunTest, EveryRunStartsFromAClearedFullView) {
    const std::string path = files.write("plate.DAT", example_plate());
    load(path);
    const int elements = state.results.element_count;
    click(Qt::LeftButton, {40, 40});
    ASSERT_EQ(state.view.view_scale, 2.0);

    QImage at_summary;
    double scale_at_summary = 0;
    dialogs.on_box = [&](const ShownBox& box) {
        if (box.caption != SUMMARY) return;
        at_summary = view().image().copy();
        scale_at_summary = state.view.view_scale;
    };
    load(path);
    EXPECT_TRUE(all_black(at_summary));
    EXPECT_EQ(scale_at_summary, 1.0);
    EXPECT_EQ(state.results.element_count, elements);
}

TEST_F(FullRunTest, HistogramChoiceReachesTheResultFile) {
    const std::string path = files.write("plate.DAT", example_plate());
    load(path);
    const qint64 without = QFileInfo(QString::fromStdString(files.path("plate.TES"))).size();
    window.action(HISTOGRAM_1)->trigger();
    load(path);
    const qint64 with = QFileInfo(QString::fromStdString(files.path("plate.TES"))).size();
    EXPECT_GT(without, 0);
    EXPECT_GT(with, without + 60 * 5);
}

TEST_F(FullRunTest, AnOverlongLineEndsTheProgramWithStatusOne) {
    const std::string path = files.write("long.DAT", QByteArray(100, '1') + "\n");
    EXPECT_EXIT(load(path), ::testing::ExitedWithCode(1), "");
}

TEST(DesktopProgram, LoadsTheFileGivenOnTheCommandLine) {
    TestFiles files;
    const std::string data = files.write("plate.DAT", example_plate());
    const std::string png = files.path("window.png");
    QProcess tesu;
    tesu.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    tesu.start(TESU_PATH, {"--screenshot", QString::fromStdString(png), QString::fromStdString(data)});
    ASSERT_TRUE(tesu.waitForFinished(60000));
    EXPECT_EQ(tesu.exitCode(), 0);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(files.path("plate.TES"))));
    const QImage picture(QString::fromStdString(png));
    ASSERT_FALSE(picture.isNull());
    // Below the menu bar: the mesh.
    const QImage client = picture.convertToFormat(QImage::Format_RGB32).copy(0, 40, picture.width(), 500);
    EXPECT_GT(count_pixels(client, IMAGE_WHITE), 1000);
}

TEST(DesktopProgram, RefusesUnknownArguments) {
    QProcess tesu;
    tesu.start(TESU_PATH, {"--no-such-option"});
    ASSERT_TRUE(tesu.waitForFinished(60000));
    EXPECT_EQ(tesu.exitCode(), 2);
    EXPECT_TRUE(tesu.readAllStandardError().contains("usage"));
}

}  // namespace
}  // namespace tesu
