// The main window around whole mesh generation runs on the example plate,
// and the program started with a data file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>

#include "gui_test_support.h"
#include "ui/headless_platform.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/main_window.h"

namespace tesu {
namespace {

using ::testing::ElementsAre;
using namespace testing;

constexpr std::string_view SUMMARY = "データ読み込み終了";
constexpr std::string_view REPORT = "データ出力終了";
constexpr std::string_view STOP = "メッシュ生成中";
// How long a test waits for what a run should do at once or soon.
constexpr int RUN_BOUND_MS = 60000;

QByteArray example_plate() { return TestFiles::read(TESU_SOURCE_DIR "/examples/plate.DAT"); }

class FullRunTest : public ::testing::Test {
protected:
    FullRunTest() { window.show(); }

    MeshView& view() { return *window.mesh_view(); }
    void click(Qt::MouseButton button) {
        QTest::mouseClick(&view(), button, {}, {view().width() / 2, view().height() / 2});
    }
    // Loads the file as the user does, and waits for the end of the run
    // with the window answering meanwhile.
    void load(const std::string& path) {
        QSignalSpy ended(&window, &MainWindow::run_ended);
        dialogs.files.push_back(path);
        window.dispatch(LOAD_DATA);
        if (window.running()) {
            ASSERT_TRUE(ended.wait(RUN_BOUND_MS)) << "the run did not end";
        }
    }
    // The node count of the progress in the status line, -1 when none shows.
    int progress_nodes() const {
        const QRegularExpressionMatch progress = QRegularExpression(QStringLiteral("中… ノード数 = (\\d+)$"))
                                                     .match(window.status_line()->currentMessage());
        return progress.hasMatch() ? progress.captured(1).toInt() : -1;
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
        if (box.caption == REPORT && state.mesh_ready) at_report = view().image().copy();
    };
    view().canvas().set_pixel(3, 3, CYAN);
    load(files.write("plate.DAT", plate));

    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_TRUE(all_black(at_summary));
    EXPECT_GT(count_pixels(at_report, IMAGE_WHITE), 1000);
    const Point dot = state.run.input().division_xy[0];
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

// The window's run and the batch program's show the same boxes in the same
// order; only the computing time may differ.
TEST_F(FullRunTest, TheWindowShowsTheBoxesOfTheBatchRun) {
    const std::string path = files.write("plate.DAT", example_plate());
    load(path);
    MeshRun run;
    RunResults results;
    HeadlessPlatform console;
    RunObserver silent;
    run_mesh_generation(run, path, {}, results, console, silent);

    const auto without_time = [](const std::string& text) { return text.substr(0, text.rfind("計算時間")); };
    ASSERT_EQ(dialogs.boxes.size(), console.messages.size());
    for (std::size_t i = 0; i < console.messages.size(); ++i) {
        EXPECT_EQ(dialogs.boxes[i].caption, console.messages[i].caption);
        EXPECT_EQ(without_time(dialogs.boxes[i].text), without_time(console.messages[i].text));
    }
    EXPECT_EQ(dialogs.boxes.back().caption, REPORT);
}

TEST_F(FullRunTest, QualityColoursShowTheNewMeshAtOnce) {
    window.dispatch(QUALITY_COLOURS);
    QImage at_report;
    dialogs.on_box = [&](const ShownBox& box) {
        if (box.caption == REPORT) at_report = view().image().copy();
    };
    load(files.write("plate.DAT", example_plate()));
    const Colour fine = QUALITY_BANDS.back().fill;  // 50 degrees and over
    EXPECT_GT(count_pixels(at_report, qRgb(fine.red, fine.green, fine.blue)), 1000);
    EXPECT_EQ(count_pixels(at_report, IMAGE_YELLOW) + count_pixels(at_report, IMAGE_WHITE), 0);
}

// The quality mode is off at the start; once chosen, with its angle, every
// run is asked for it until it is switched off.
TEST_F(FullRunTest, TheQualityModeIsAskedOfEachRunWhileItIsOn) {
    const std::string path = files.write("plate.DAT", example_plate());
    EXPECT_FALSE(window.action(QUALITY_MODE)->isChecked());
    dialogs.min_angles = {std::nullopt, 25.0};
    window.dispatch(QUALITY_ANGLE);  // cancelled: still off
    EXPECT_FALSE(window.action(QUALITY_MODE)->isChecked());
    window.dispatch(QUALITY_ANGLE);
    EXPECT_TRUE(window.action(QUALITY_MODE)->isChecked());
    EXPECT_EQ(window.action(QUALITY_ANGLE)->text(), QStringLiteral("最小角 25° (&A)..."));
    for (int run = 0; run < 2; ++run) {
        load(path);
        EXPECT_TRUE(state.request.quality.conform);
        EXPECT_EQ(state.request.quality.min_angle, 25.0);
    }
    EXPECT_TRUE(window.status_line()->note().startsWith(QStringLiteral("最小角 ")))
        << window.status_line()->note().toStdString();
    window.dispatch(QUALITY_MODE);
    load(path);
    EXPECT_FALSE(state.request.quality.refines());
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
    EXPECT_FALSE(state.mesh_ready);
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

// An over-long line is a refusal of the file like any other: the program
// goes on, and an editor's unsaved changes stay where they are.
TEST_F(FullRunTest, AnOverlongLineIsRefusedAndTheProgramGoesOn) {
    const std::string edited = files.write("edited.DAT", "0 0\n");
    edit_file(edited, dialogs);
    auto* editor = qobject_cast<EditorWindow*>(find_window_titled("メモ帳 - edited.DAT"));
    ASSERT_NE(editor, nullptr);
    editor->text_edit()->insertPlainText(QStringLiteral("; changed\n"));
    load(files.write("long.DAT", QByteArray(100, '1') + "\n"));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, "図形データ読み込みエラー");
    EXPECT_EQ(dialogs.boxes[0].text, "1行が長すぎます。78文字以内にして下さい。\n(1 行目)");
    EXPECT_TRUE(editor->has_unsaved_changes());
    EXPECT_EQ(TestFiles::read(edited), QByteArray("0 0\n"));

    load(files.write("plate.DAT", example_plate()));
    EXPECT_TRUE(state.mesh_ready);
    editor->text_edit()->document()->setModified(false);
    editor->close();
}

TEST_F(FullRunTest, TheWindowAnswersDuringARunAndStopsOnRequest) {
    // A mesh of millions of nodes, far from its end when asked to stop.
    const std::string path = files.write("fine.DAT", "0 0\n100 0\n100 50\n0 50\n0 0\nb = 0.05\ns = 2\n");
    QSignalSpy ended(&window, &MainWindow::run_ended);
    dialogs.files.push_back(path);
    window.dispatch(LOAD_DATA);
    ASSERT_TRUE(window.running());
    // The run's progress and drawing reach the window.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return progress_nodes() > 0 && !all_black(view().image()); }, RUN_BOUND_MS))
        << window.status_line()->currentMessage().toStdString();
    ASSERT_TRUE(window.running());
    EXPECT_FALSE(window.action(LOAD_DATA)->isEnabled());
    EXPECT_FALSE(window.action(SAVE_MESH)->isEnabled());
    EXPECT_EQ(window.cursor().shape(), Qt::BusyCursor);
    EXPECT_EQ(view().cursor().shape(), Qt::BusyCursor);
    window.action(ABOUT)->trigger();  // still answers
    EXPECT_EQ(dialogs.about_boxes, 1);

    dialogs.answers = {Answer::cancel, Answer::ok};
    QTest::keyClick(&window, Qt::Key_Escape);  // not stopped: the run goes on
    const int nodes = progress_nodes();
    EXPECT_TRUE(QTest::qWaitFor([&] { return progress_nodes() > nodes; }, RUN_BOUND_MS));
    EXPECT_TRUE(ended.isEmpty());
    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_TRUE(ended.wait(RUN_BOUND_MS));
    EXPECT_FALSE(window.running());
    EXPECT_FALSE(state.mesh_ready);
    EXPECT_TRUE(all_black(view().image()));
    EXPECT_TRUE(window.action(LOAD_DATA)->isEnabled());
    EXPECT_EQ(view().cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(window.status_line()->currentMessage().isEmpty());
    EXPECT_EQ(window.status_line()->note(), QStringLiteral("中止しました"));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(files.path("fine.TES"))));
}

// Esc near the end of a run: the question goes by itself when the run ends
// while it is up, and the report follows once it has gone.
TEST_F(FullRunTest, TheStopQuestionClosesWhenTheRunEndsAndTheReportFollows) {
    dialogs.files.push_back(files.write("plate.DAT", example_plate()));
    std::vector<std::string> shown;
    bool question_up = false;
    dialogs.on_box = [&](const ShownBox& box) {
        shown.push_back(box.caption + (question_up ? " over the question" : ""));
        if (box.caption != STOP) return;
        question_up = true;
        // The user reads the question while the run goes on to its end.
        const int closes = dialogs.closes;
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.closes != closes; }, RUN_BOUND_MS));
        question_up = false;
    };
    window.dispatch(LOAD_DATA);
    ASSERT_TRUE(window.running());
    QTest::keyClick(&window, Qt::Key_Escape);

    EXPECT_EQ(dialogs.closes, 1);
    EXPECT_FALSE(window.running());
    EXPECT_THAT(shown, ElementsAre(std::string(SUMMARY), std::string(STOP), std::string(REPORT)));
    EXPECT_TRUE(state.mesh_ready);
    EXPECT_TRUE(window.status_line()->note().startsWith(QStringLiteral("最小角 ")));
}

// Meshing a data file whose editor holds unsaved changes asks first: cancel,
// the file on disk, or the changes saved and meshed.
TEST_F(FullRunTest, UnsavedEditsOfTheDataFileAreAskedAboutBeforeMeshing) {
    const std::string path = files.write("plate.DAT", example_plate());
    edit_file(path, dialogs);
    EditorWindow* editor = find_editor(path);
    ASSERT_NE(editor, nullptr);
    editor->text_edit()->moveCursor(QTextCursor::End);
    editor->text_edit()->insertPlainText(QStringLiteral("80 30\n"));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("メモ帳 - *plate.DAT"));

    dialogs.unsaved_edit_choices = {StaleEditChoice::cancel, StaleEditChoice::mesh_file_on_disk,
                                    StaleEditChoice::save_and_mesh};
    load(path);
    EXPECT_EQ(dialogs.unsaved_edit_questions, 1);
    EXPECT_TRUE(dialogs.boxes.empty());  // nothing read
    load(path);
    EXPECT_TRUE(state.mesh_ready);
    EXPECT_EQ(state.run.input().division_node_count, 1);
    EXPECT_TRUE(editor->has_unsaved_changes());
    load(path);
    EXPECT_EQ(state.run.input().division_node_count, 2);
    EXPECT_EQ(TestFiles::read(path), example_plate() + "80 30\n");
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("メモ帳 - plate.DAT"));
    load(path);  // saved: no question
    EXPECT_EQ(dialogs.unsaved_edit_questions, 3);
    editor->close();
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

    // A file that cannot be opened is named with the reason, in a box too
    // (which the unattended program writes out), and the program ends.
    QProcessEnvironment english = QProcessEnvironment::systemEnvironment();
    english.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    tesu.setProcessEnvironment(english);
    const QString missing = QString::fromStdString(files.path("missing.DAT"));
    tesu.start(TESU_PATH, {"--screenshot", QString::fromStdString(png), missing});
    ASSERT_TRUE(tesu.waitForFinished(60000));
    EXPECT_EQ(tesu.exitCode(), 1);
    const QString errors = QString::fromLocal8Bit(tesu.readAllStandardError());
    EXPECT_TRUE(errors.contains(QStringLiteral("tesu: %1: No such file or directory\n").arg(missing)))
        << errors.toStdString();
    EXPECT_TRUE(errors.contains(
        QStringLiteral("図形データ読み込みエラー\n%1 を開けません。\nNo such file or directory\n")
            .arg(missing)))
        << errors.toStdString();

    tesu.start(TESU_PATH, {"--no-such-option"});
    ASSERT_TRUE(tesu.waitForFinished(60000));
    EXPECT_EQ(tesu.exitCode(), 2);
}

}  // namespace
}  // namespace tesu
