// The main window without a mesh generation run: menu, commands, clicks and
// the client area, with a mesh put into the tables by hand where one is
// needed.
#include "ui/qt/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include "image_checks.h"
#include "scripted_dialogs.h"
#include "test_files.h"
#include "tests/ui/mesh_builder.h"
#include "ui/qt/editor_window.h"

namespace tesu {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace testing;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { window.show(); }

    MeshView& view() { return *window.mesh_view(); }
    void click(Qt::MouseButton button, QPoint at) { QTest::mouseClick(&view(), button, {}, at); }
    std::vector<int> checked_histogram_items() const {
        std::vector<int> checked;
        for (int id = HISTOGRAM_NONE; id <= HISTOGRAM_3; ++id) {
            if (window.action(id)->isChecked()) checked.push_back(id);
        }
        return checked;
    }

    AppState state;
    ScriptedDialogs dialogs;
    MainWindow window{state, dialogs};
};

TEST_F(MainWindowTest, OpensAt680By580WithTitleIconAndArrowCursor) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("有限要素法のための自動要素生成 32ビット版"));
    // Without a window manager there is no frame: the outer size is the size.
    EXPECT_EQ(window.frameGeometry().size(), QSize(680, 580));
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(view().cursor().shape(), Qt::ArrowCursor);
    // The first size event has set the view from the client area.
    EXPECT_EQ(state.view.client_width, view().width());
    EXPECT_EQ(state.view.client_height, view().height());
    EXPECT_TRUE(all_black(view().image()));
}

std::vector<std::string> entries(const QMenu* menu) {
    std::vector<std::string> texts;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            texts.push_back("-");
        } else {
            texts.push_back(action->text().toStdString() + (action->menu() ? " >" : "") +
                            (action->data().isValid() ? " " + std::to_string(action->data().toInt()) : ""));
        }
    }
    return texts;
}

TEST_F(MainWindowTest, MenuHasItsThreePopupsWithTheirItemsAndIds) {
    const QList<QAction*> popups = window.menuBar()->actions();
    ASSERT_EQ(popups.size(), 3);
    EXPECT_THAT(entries(popups[0]->menu()), ElementsAre("座標データの読み込み(&O) 40001",
                                                        "座標データの修正(&E) 40008", "-", "終了(&X) 40002"));
    EXPECT_THAT(entries(popups[1]->menu()),
                ElementsAre("ヴォロノイ図の表示(&V) 40006", "拡大縮小(&Z) 40007",
                            "出力データの詳細(&D) 40009", "三角形のヒストグラム(&T) >"));
    EXPECT_THAT(entries(popups[1]->menu()->actions().back()->menu()),
                ElementsAre("なし 40010", "１度づつ(&1) 40011", "２度づつ(&2) 40012", "３度づつ(&3) 40013"));
    EXPECT_THAT(entries(popups[2]->menu()),
                ElementsAre("TESUの使い方(&C) 40004", "-", "TESUについて(&A) 40003"));
    EXPECT_EQ(popups[0]->text(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(popups[1]->text(), QStringLiteral("表示(&V)"));
    EXPECT_EQ(popups[2]->text(), QStringLiteral("ヘルプ(&H)"));
}

TEST_F(MainWindowTest, HistogramHasExactlyOneCheckMark) {
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_NONE));
    EXPECT_EQ(state.results.histogram_step, 0);

    window.dispatch(HISTOGRAM_2);
    window.dispatch(HISTOGRAM_2);
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_2));
    EXPECT_EQ(state.results.histogram_step, 2);

    // Chosen from the menu, and the chosen item chosen again.
    window.action(HISTOGRAM_3)->trigger();
    window.action(HISTOGRAM_3)->trigger();
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_3));
    EXPECT_EQ(state.results.histogram_step, 3);
    window.action(HISTOGRAM_NONE)->trigger();
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_NONE));
    EXPECT_EQ(state.results.histogram_step, 0);
}

TEST_F(MainWindowTest, IdsOutsideTheMenuAreIgnored) {
    view().canvas().set_pixel(5, 5, CYAN);
    for (const int id : {40005, 40000, 40014, 0, -40001}) window.dispatch(id);
    EXPECT_THAT(dialogs.boxes, IsEmpty());
    EXPECT_EQ(dialogs.file_requests, 0);
    EXPECT_EQ(dialogs.about_boxes, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_NONE));
    EXPECT_EQ(view().image().pixel(5, 5), IMAGE_CYAN);
}

TEST_F(MainWindowTest, WithoutAMeshClicksVoronoiAndDetailsDoNothing) {
    view().canvas().set_pixel(5, 5, CYAN);
    const ViewState before = state.view;
    click(Qt::LeftButton, {100, 80});
    click(Qt::RightButton, {100, 80});
    window.dispatch(SHOW_VORONOI);
    window.dispatch(SHOW_DETAILS);
    EXPECT_EQ(state.view.view_scale, before.view_scale);
    EXPECT_EQ(state.view.view_center_x, before.view_center_x);
    EXPECT_EQ(state.view.view_center_y, before.view_center_y);
    EXPECT_THAT(dialogs.boxes, IsEmpty());
    // No repaint either: what was drawn is still there.
    EXPECT_EQ(view().image().pixel(5, 5), IMAGE_CYAN);
}

TEST_F(MainWindowTest, ZoomCommandOnlyExplainsTheClicks) {
    window.action(ZOOM_HINT)->trigger();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, "拡大・縮小");
    EXPECT_EQ(dialogs.boxes[0].text, "拡大させたい場所を左クリックして下さい。\n縮小は右クリックです。");
    EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::ok);
    EXPECT_EQ(state.view.view_scale, 1.0);
}

TEST_F(MainWindowTest, CancelledOpenDialogStartsNoRun) {
    state.input->input_file_name = "/earlier/run.DAT";
    window.action(LOAD_DATA)->trigger();
    EXPECT_EQ(dialogs.file_requests, 1);
    EXPECT_EQ(state.input->input_file_name, "/earlier/run.DAT");
    EXPECT_THAT(dialogs.boxes, IsEmpty());
    EXPECT_EQ(state.results.mesh_ready, 0);
}

TEST_F(MainWindowTest, EditWithoutAMeshAsksForTheFileFirst) {
    window.dispatch(EDIT_DATA);
    EXPECT_EQ(dialogs.file_requests, 1);
    EXPECT_EQ(find_window_titled(QStringLiteral("メモ帳 - plate.DAT")), nullptr);

    TestFiles files;
    const std::string path = files.write("plate.DAT", "0 0\r\n");
    dialogs.files.push_back(path);
    window.dispatch(EDIT_DATA);
    EXPECT_EQ(dialogs.file_requests, 2);
    EXPECT_EQ(state.input->input_file_name, path);
    QPointer<QWidget> editor = find_window_titled(QStringLiteral("メモ帳 - plate.DAT"));
    ASSERT_NE(editor, nullptr);
    editor->close();
}

TEST_F(MainWindowTest, EditWithAMeshOpensTheFileOfTheRunWithoutAsking) {
    TestFiles files;
    state.input->input_file_name = files.write("run.DAT", "0 0\n");
    state.results.mesh_ready = 1;
    window.dispatch(EDIT_DATA);
    EXPECT_EQ(dialogs.file_requests, 0);
    QPointer<QWidget> editor = find_window_titled(QStringLiteral("メモ帳 - run.DAT"));
    ASSERT_NE(editor, nullptr);
    editor->close();
}

TEST_F(MainWindowTest, AboutCommandShowsTheAboutBox) {
    window.action(ABOUT)->trigger();
    EXPECT_EQ(dialogs.about_boxes, 1);
}

TEST_F(MainWindowTest, HelpWindowShowsTheHelpPageAndGoesWithTheMainWindow) {
    auto* owner = new MainWindow(state, dialogs);
    owner->dispatch(HELP_CONTENTS);
    QPointer<HelpWindow> help = owner->help_window();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("座標データファイルの書式")));
    owner->dispatch(HELP_CONTENTS);
    EXPECT_EQ(owner->help_window(), help.data());
    delete owner;
    EXPECT_EQ(help, nullptr);
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndItsHelp) {
    window.dispatch(HELP_CONTENTS);
    window.action(EXIT)->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.help_window()->isVisible());
}

TEST_F(MainWindowTest, ExitAsksAboutAnEditorsUnsavedChangesAndMayBeCancelled) {
    TestFiles files;
    const std::string path = files.write("open.DAT", "0 0\n");
    edit_file(path, dialogs);
    QPointer<EditorWindow> editor = qobject_cast<EditorWindow*>(find_window_titled("メモ帳 - open.DAT"));
    ASSERT_NE(editor, nullptr);
    editor->text_edit()->insertPlainText(QStringLiteral("; changed\n"));

    dialogs.save_choices = {SaveChoice::cancel};
    window.dispatch(EXIT);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(editor->isVisible());

    dialogs.save_choices = {SaveChoice::discard};
    window.dispatch(EXIT);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(dialogs.save_questions.size(), 2u);
    EXPECT_EQ(TestFiles::read(path), QByteArray("0 0\n"));
}

// A mesh in the tables as a finished run leaves it: two elements sharing an
// edge inside a 100 x 100 square with a hole.
class ReadyMeshTest : public MainWindowTest {
protected:
    ReadyMeshTest() {
        MeshBuilder builder;
        const int a = builder.node(10.5, 10.5);
        const int b = builder.node(30.5, 10.5);
        first = builder.add_vp(a, b, builder.node(20.5, 20.5));
        second = builder.add_vp(a, b, builder.node(20.5, 4.5));
        builder.add_voronoi_edge(first, second);
        state.mesh = builder.release();
        state.input = square_with_hole();
        state.results.mesh_ready = 1;
    }

    // Where a point in drawing units is drawn now.
    QPoint on_screen(double x, double y) const {
        const ScreenPoint p = map_to_screen(state.view, x, y);
        return {p.x, p.y};
    }
    QRgb pixel_at(double x, double y) {
        const QPoint p = on_screen(x, y);
        return view().image().pixel(p);
    }
    // Whether the pixels around a point hold the colour: at least one of
    // them, or all of them. A sloping line passes within a pixel of where its
    // points are mapped.
    bool any_near(double x, double y, QRgb colour) { return count_near(x, y, colour) > 0; }
    bool all_near(double x, double y, QRgb colour) { return count_near(x, y, colour) == 9; }
    int count_near(double x, double y, QRgb colour) {
        const QPoint p = on_screen(x, y);
        int count = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) count += view().image().pixel(p.x() + dx, p.y() + dy) == colour;
        }
        return count;
    }

    int first = 0;
    int second = 0;
};

TEST_F(ReadyMeshTest, ClicksZoomInAtThePointAndOutAgain) {
    const double w2 = view().width() / 2;
    const double h2 = view().height() / 2;
    click(Qt::LeftButton, {100, 80});
    EXPECT_EQ(state.view.view_scale, 2.0);
    EXPECT_EQ(state.view.view_center_x, 100.0);
    EXPECT_EQ(state.view.view_center_y, 80.0);
    click(Qt::LeftButton, {static_cast<int>(w2) + 50, static_cast<int>(h2) - 20});
    EXPECT_EQ(state.view.view_scale, 4.0);
    EXPECT_EQ(state.view.view_center_x, 125.0);
    EXPECT_EQ(state.view.view_center_y, 70.0);
    click(Qt::MiddleButton, {10, 10});
    EXPECT_EQ(state.view.view_scale, 4.0);

    click(Qt::RightButton, {10, 10});
    click(Qt::RightButton, {10, 10});
    EXPECT_EQ(state.view.view_scale, 1.0);
    EXPECT_EQ(state.view.view_center_x, 125.0);
    click(Qt::RightButton, {10, 10});
    EXPECT_EQ(state.view.view_center_x, w2);
    EXPECT_EQ(state.view.view_center_y, h2);
}

TEST_F(ReadyMeshTest, ResizingReturnsToTheFullView) {
    click(Qt::LeftButton, {100, 80});
    window.resize(500, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(state.view.view_scale, 1.0);
    EXPECT_EQ(state.view.client_width, view().width());
    EXPECT_EQ(state.view.client_height, view().height());
    EXPECT_EQ(state.view.view_center_x, view().width() / 2);
    EXPECT_EQ(state.view.view_center_y, view().height() / 2);
    EXPECT_EQ(view().image().size(), view().size());
}

TEST_F(ReadyMeshTest, AZoomClickRepaintsTheElementsInWhiteOnBlack) {
    view().canvas().set_pixel(300, 300, CYAN);
    click(Qt::LeftButton, on_screen(20.5, 10.5));
    EXPECT_EQ(view().image().pixel(300, 300), IMAGE_BLACK);
    // On the shared edge, on an edge of each element, and inside each.
    EXPECT_EQ(pixel_at(16.5, 10.5), IMAGE_WHITE);
    EXPECT_TRUE(any_near(15.5, 15.5, IMAGE_WHITE));
    EXPECT_TRUE(any_near(25.5, 7.5, IMAGE_WHITE));
    EXPECT_TRUE(all_near(20.5, 16.5, IMAGE_BLACK));
    EXPECT_TRUE(all_near(20.5, 7.0, IMAGE_BLACK));
    EXPECT_EQ(count_pixels(view().image(), IMAGE_CYAN), 0);
}

TEST_F(ReadyMeshTest, VoronoiDrawsCyanOverTheMeshUntilTheNextZoom) {
    click(Qt::LeftButton, on_screen(20.5, 13));
    click(Qt::LeftButton, on_screen(20.5, 13));
    const int white = count_pixels(view().image(), IMAGE_WHITE);
    window.dispatch(SHOW_VORONOI);
    // From (20.5, 10.5) to (20.5, 15.83), across the shared edge.
    EXPECT_EQ(pixel_at(20.5, 13), IMAGE_CYAN);
    EXPECT_GT(count_pixels(view().image(), IMAGE_CYAN), 10);
    EXPECT_GT(count_pixels(view().image(), IMAGE_WHITE), white - 5);
    click(Qt::RightButton, {0, 0});
    EXPECT_EQ(count_pixels(view().image(), IMAGE_CYAN), 0);
    EXPECT_GT(count_pixels(view().image(), IMAGE_WHITE), 0);
}

TEST_F(ReadyMeshTest, DetailsShowTheCurrentZoomFactor) {
    window.dispatch(SHOW_DETAILS);
    click(Qt::LeftButton, {100, 80});
    click(Qt::LeftButton, {120, 90});
    window.action(SHOW_DETAILS)->trigger();
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].caption, "データ情報の詳細");
    EXPECT_NE(dialogs.boxes[0].text.find("拡大率=1.000\n"), std::string::npos);
    EXPECT_NE(dialogs.boxes[1].text.find("拡大率=4.000\n"), std::string::npos);
}

TEST_F(ReadyMeshTest, RunDrawingGoesStraightIntoTheWindowUntilARepaint) {
    QtPlatform& platform = window.platform();
    click(Qt::LeftButton, {100, 80});
    state.results.mesh_ready = 0;  // as the run clears it before beginning
    platform.begin_run();
    EXPECT_EQ(state.view.view_scale, 1.0);
    EXPECT_TRUE(all_black(view().image()));

    platform.plot_point(100, 50);
    const double k = base_factor(state.view);
    EXPECT_EQ(view().image().pixel(int(100 * k), int(50 * k)), IMAGE_YELLOW);
    platform.draw_line(10, 200, 300, 200);
    const QPoint on_line = on_screen(150, 200);
    EXPECT_EQ(view().image().pixel(on_line), IMAGE_WHITE);

    state.results.mesh_ready = 1;
    click(Qt::LeftButton, {100, 80});
    EXPECT_EQ(count_pixels(view().image(), IMAGE_YELLOW), 0);
    EXPECT_EQ(view().image().pixel(on_line), IMAGE_BLACK);
}

TEST_F(ReadyMeshTest, FatalEndingsAlwaysEndWithStatusOne) {
    QtPlatform& platform = window.platform();
    std::vector<int> statuses;
    platform.on_fatal = [&statuses](int status) {
        statuses.push_back(status);
        throw std::runtime_error("ended");
    };
    EXPECT_THROW(platform.fatal(COMPUTATION_ERROR_CAPTION, "a", FatalCause::computation), std::runtime_error);
    EXPECT_THROW(platform.fatal("x", "b", FatalCause::refused_input), std::runtime_error);
    EXPECT_THAT(statuses, ElementsAre(1, 1));
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].caption, std::string(COMPUTATION_ERROR_CAPTION));
    EXPECT_EQ(dialogs.boxes[1].text, "b");

    platform.on_fatal = nullptr;
    EXPECT_EXIT(platform.fatal("x", "line too long", FatalCause::refused_input), ::testing::ExitedWithCode(1),
                "");
}

}  // namespace
}  // namespace tesu
