// The main window around whole mesh generation runs on the example plate,
// and the program started with a data file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "gui_test_support.h"
#include "ui/qt/main_window.h"

namespace tesu {
namespace {

using ::testing::ElementsAre;
using namespace testing;

constexpr std::string_view SUMMARY = "データ読み込み終了";
constexpr std::string_view REPORT = "データ出力終了";

QByteArray example_plate() { return TestFiles::read(TESU_SOURCE_DIR "/examples/plate.DAT"); }

class FullRunTest : public ::testing::Test {
protected:
    FullRunTest() { window.show(); }

    MeshView& view() { return *window.mesh_view(); }
    void click(Qt::MouseButton button) {
        QTest::mouseClick(&view(), button, {}, {view().width() / 2, view().height() / 2});
    }
    void load(const std::string& path) {
        dialogs.files.push_back(path);
        window.dispatch(LOAD_DATA);
    }
    qint64 result_size() const { return QFileInfo(QString::fromStdString(files.path("plate.TES"))).size(); }

    AppState state;
    ScriptedDialogs dialogs;
    MainWindow window{state, dialogs};
    TestFiles files;
};

TEST_F(FullRunTest, RunDrawsIntoTheWindowThenRepaintsDrawTheElements) {
    QByteArray plate = example_plate();
    ASSERT_TRUE(plate.contains("\n80 25"));
    plate.replace("\n80 25", "\n50 25");  // into the hole, where no element covers its dot
    QImage at_summary;
    QImage at_report;
    dialogs.on_box = [&](const ShownBox& box) {
        if (box.caption == SUMMARY) at_summary = view().image().copy();
        if (box.caption == REPORT && state.results.mesh_ready) at_report = view().image().copy();
    };
    view().canvas().set_pixel(3, 3, CYAN);
    load(files.write("plate.DAT", plate));

    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_TRUE(all_black(at_summary));
    EXPECT_GT(count_pixels(at_report, IMAGE_WHITE), 1000);
    const Point dot = state.input->division_xy[0];
    const double k = base_factor(state.view);
    EXPECT_EQ(at_report.pixel(int(dot.x * k), int(dot.y * k)), IMAGE_YELLOW);
    EXPECT_EQ(view().image(), at_report);  // nothing repainted after the run

    window.dispatch(SHOW_VORONOI);
    EXPECT_GT(count_pixels(view().image(), IMAGE_CYAN), 1000);
    click(Qt::LeftButton);
    EXPECT_EQ(count_pixels(view().image(), IMAGE_CYAN) + count_pixels(view().image(), IMAGE_YELLOW), 0);
    EXPECT_GT(count_pixels(view().image(), IMAGE_WHITE), 1000);

    window.dispatch(SHOW_DETAILS);
    const std::string& details = dialogs.boxes.back().text;
    EXPECT_NE(details.find("要素数 = " + std::to_string(state.results.element_count) + "\n"),
              std::string::npos);
    EXPECT_NE(details.find("拡大率=2.000"), std::string::npos);
}

TEST_F(FullRunTest, EveryRunStartsFromABlackFullViewAndAFailedOneLeavesItSo) {
    const std::string path = files.write("plate.DAT", example_plate());
    load(path);
    const qint64 plain = result_size();
    click(Qt::LeftButton);
    window.dispatch(HISTOGRAM_1);
    load(path);  // the histogram is written from now on
    EXPECT_GT(result_size(), plain + 60 * 5);

    double scale_at_summary = 0;
    dialogs.on_box = [&](const ShownBox&) { scale_at_summary = state.view.view_scale; };
    click(Qt::LeftButton);
    dialogs.answers = {Answer::cancel};
    load(path);
    EXPECT_EQ(scale_at_summary, 1.0);
    EXPECT_EQ(state.results.mesh_ready, 0);
    EXPECT_TRUE(all_black(view().image()));
    click(Qt::LeftButton);
    window.dispatch(SHOW_DETAILS);
    EXPECT_EQ(state.view.view_scale, 1.0);
    EXPECT_EQ(dialogs.boxes.back().caption, SUMMARY);

    const std::size_t boxes = dialogs.boxes.size();
    view().canvas().set_pixel(3, 3, CYAN);
    load(files.path("missing.DAT"));  // cleared, silently
    EXPECT_EQ(dialogs.boxes.size(), boxes);
    EXPECT_TRUE(all_black(view().image()));
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
    tesu.start(TESU_PATH, {"--screenshot", QString::fromStdString(png), QString::fromStdString(data)});
    ASSERT_TRUE(tesu.waitForFinished(60000));
    EXPECT_EQ(tesu.exitCode(), 0);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(files.path("plate.TES"))));
    const QImage picture = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(count_pixels(picture.copy(0, 40, picture.width(), 500), IMAGE_WHITE), 1000);  // below the menu

    tesu.start(TESU_PATH, {"--no-such-option"});
    ASSERT_TRUE(tesu.waitForFinished(60000));
    EXPECT_EQ(tesu.exitCode(), 2);
}

}  // namespace
}  // namespace tesu
