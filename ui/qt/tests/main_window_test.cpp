// The main window without a mesh generation run: menu, commands, clicks and
// the client area, with a mesh put into the tables by hand where one is
// needed.
#include "ui/qt/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include "gui_test_support.h"
#include "tests/ui/mesh_builder.h"
#include "ui/qt/editor_window.h"

namespace tesu {
namespace {

using ::testing::ElementsAre;
using namespace testing;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { window.show(); }

    MeshView& view() { return *window.mesh_view(); }
    const QImage& image() { return view().image(); }
    void click(Qt::MouseButton button, QPoint at) { QTest::mouseClick(&view(), button, {}, at); }
    void expect_view(double scale, double cx, double cy) {
        EXPECT_EQ(state.view.view_scale, scale);
        EXPECT_EQ(state.view.view_center_x, cx);
        EXPECT_EQ(state.view.view_center_y, cy);
    }
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

TEST_F(MainWindowTest, OpensAt680By580BlackWithMenuIconAndArrowCursor) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("有限要素法のための自動要素生成 32ビット版"));
    EXPECT_EQ(window.frameGeometry().size(), QSize(680, 580));
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(view().cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(state.view.client_width, view().width());
    EXPECT_EQ(state.view.client_height, view().height());
    EXPECT_TRUE(all_black(image()));

    QStringList menu;
    for (const QAction* popup : window.menuBar()->actions()) {
        menu << popup->text();
        for (const QAction* item : popup->menu()->actions()) {
            menu << (item->isSeparator() ? "-" : item->text() + " " + item->data().toString());
        }
    }
    EXPECT_EQ(menu.join('|').toStdString(),
              "ファイル(&F)|座標データの読み込み(&O) 40001|座標データの修正(&E) 40008|-|終了(&X) 40002|"
              "表示(&V)|ヴォロノイ図の表示(&V) 40006|拡大縮小(&Z) 40007|出力データの詳細(&D) 40009|"
              "三角形のヒストグラム(&T) |ヘルプ(&H)|TESUの使い方(&C) 40004|-|TESUについて(&A) 40003");
    EXPECT_EQ(window.action(HISTOGRAM_2)->text(), QStringLiteral("２度づつ(&2)"));
}

TEST_F(MainWindowTest, HistogramHasExactlyOneCheckMark) {
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_NONE));
    EXPECT_EQ(state.results.histogram_step, 0);
    window.dispatch(HISTOGRAM_2);
    window.dispatch(HISTOGRAM_2);
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_2));
    EXPECT_EQ(state.results.histogram_step, 2);
    window.action(HISTOGRAM_3)->trigger();
    window.action(HISTOGRAM_3)->trigger();  // the checked item chosen again
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_3));
    EXPECT_EQ(state.results.histogram_step, 3);
}

TEST_F(MainWindowTest, WithoutAMeshClicksAndCommandsDoNothing) {
    view().canvas().set_pixel(5, 5, CYAN);
    const ViewState before = state.view;
    for (const int id : {40005, 40000, 40014, 0, int(SHOW_VORONOI), int(SHOW_DETAILS)}) window.dispatch(id);
    click(Qt::LeftButton, {100, 80});
    click(Qt::RightButton, {100, 80});
    expect_view(before.view_scale, before.view_center_x, before.view_center_y);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.file_requests + dialogs.about_boxes, 0);
    EXPECT_EQ(image().pixel(5, 5), IMAGE_CYAN);  // not even repainted
}

TEST_F(MainWindowTest, CommandsOpenTheirDialogs) {
    window.action(ZOOM_HINT)->trigger();
    window.action(ABOUT)->trigger();
    state.run.input().input_file_name = "/earlier/run.DAT";
    window.action(LOAD_DATA)->trigger();  // cancelled: no run
    window.action(EDIT_DATA)->trigger();  // no mesh: asks for the file, cancelled
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, "拡大・縮小");
    EXPECT_EQ(dialogs.boxes[0].text, "拡大させたい場所を左クリックして下さい。\n縮小は右クリックです。");
    EXPECT_EQ(dialogs.about_boxes, 1);
    EXPECT_EQ(dialogs.file_requests, 2);
    EXPECT_EQ(state.run.input().input_file_name, "/earlier/run.DAT");
    EXPECT_EQ(find_window_titled(QStringLiteral("メモ帳 - run.DAT")), nullptr);

    TestFiles files;
    dialogs.files.push_back(files.write("plate.DAT", "0 0\r\n"));
    window.dispatch(EDIT_DATA);
    EXPECT_EQ(state.run.input().input_file_name, files.path("plate.DAT"));
    QPointer<QWidget> editor = find_window_titled(QStringLiteral("メモ帳 - plate.DAT"));
    ASSERT_NE(editor, nullptr);
    editor->close();
}

TEST_F(MainWindowTest, HelpWindowShowsTheHelpPageAndGoesWithTheMainWindow) {
    auto* owner = new MainWindow(state, dialogs);
    owner->dispatch(HELP_CONTENTS);
    QPointer<HelpWindow> help = owner->help_window();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("座標データファイルの書式")));
    delete owner;
    EXPECT_EQ(help, nullptr);
}

TEST_F(MainWindowTest, ExitAsksAboutAnEditorsChangesAndMayBeCancelled) {
    TestFiles files;
    const std::string path = files.write("open.DAT", "0 0\n");
    edit_file(path, dialogs);
    auto* editor = qobject_cast<EditorWindow*>(find_window_titled("メモ帳 - open.DAT"));
    ASSERT_NE(editor, nullptr);
    editor->text_edit()->insertPlainText(QStringLiteral("; changed\n"));

    dialogs.save_choices = {SaveChoice::cancel, SaveChoice::discard};
    window.dispatch(EXIT);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(editor->isVisible());
    window.dispatch(EXIT);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(TestFiles::read(path), QByteArray("0 0\n"));
}

// The tables as a finished run leaves them: two elements sharing an edge
// inside a 100 x 100 square, and the Voronoi edge between them.
class ReadyMeshTest : public MainWindowTest {
protected:
    ReadyMeshTest() {
        MeshBuilder builder;
        const int a = builder.node(10.5, 10.5);
        const int b = builder.node(30.5, 10.5);
        const int first = builder.add_vp(a, b, builder.node(20.5, 20.5));
        builder.add_voronoi_edge(first, builder.add_vp(a, b, builder.node(20.5, 4.5)));
        state.run = MeshRun(builder.release(), square_with_hole());
        state.results.mesh = collect_finished_mesh(state.run.tables(), state.run.input(), 3);
        state.results.mesh_ready = 1;
    }
    QPoint on_screen(double x, double y) const {
        const ScreenPoint p = map_to_screen(state.view, x, y);
        return {p.x, p.y};
    }
    // How many of the 3 x 3 pixels around a point have the colour: a
    // sloping line passes within a pixel of its mapped points.
    int count_near(double x, double y, QRgb colour) {
        const QPoint p = on_screen(x, y);
        int count = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) count += image().pixel(p.x() + dx, p.y() + dy) == colour;
        }
        return count;
    }
};

TEST_F(ReadyMeshTest, ClicksZoomAndResizingReturnsToTheFullView) {
    const double w2 = view().width() / 2;
    const double h2 = view().height() / 2;
    click(Qt::LeftButton, {100, 80});
    expect_view(2, 100, 80);
    click(Qt::LeftButton, {int(w2) + 50, int(h2) - 20});
    expect_view(4, 125, 70);
    click(Qt::MiddleButton, {10, 10});
    click(Qt::RightButton, {10, 10});
    click(Qt::RightButton, {10, 10});
    expect_view(1, 125, 70);
    click(Qt::RightButton, {10, 10});
    expect_view(1, w2, h2);

    click(Qt::LeftButton, {100, 80});
    window.resize(500, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(state.view.client_width, view().width());
    EXPECT_EQ(state.view.client_height, view().height());
    expect_view(1, view().width() / 2, view().height() / 2);
    EXPECT_EQ(image().size(), view().size());
}

TEST_F(ReadyMeshTest, RepaintDrawsWhiteElementsAndVoronoiStaysUntilTheNextOne) {
    view().canvas().set_pixel(300, 300, CYAN);
    click(Qt::LeftButton, on_screen(20.5, 13));
    click(Qt::LeftButton, on_screen(20.5, 13));
    EXPECT_EQ(image().pixel(300, 300), IMAGE_BLACK);
    EXPECT_EQ(image().pixel(on_screen(16.5, 10.5)), IMAGE_WHITE);  // the shared edge
    EXPECT_GT(count_near(15.5, 15.5, IMAGE_WHITE), 0);             // an edge of each element
    EXPECT_GT(count_near(25.5, 7.5, IMAGE_WHITE), 0);
    EXPECT_EQ(count_near(20.5, 16.5, IMAGE_BLACK), 9);  // inside each
    EXPECT_EQ(count_near(20.5, 7.0, IMAGE_BLACK), 9);

    window.dispatch(SHOW_VORONOI);  // from (20.5, 10.5) to (20.5, 15.83)
    EXPECT_EQ(image().pixel(on_screen(20.5, 13)), IMAGE_CYAN);
    EXPECT_EQ(image().pixel(on_screen(16.5, 10.5)), IMAGE_WHITE);
    click(Qt::RightButton, {0, 0});
    EXPECT_EQ(count_pixels(image(), IMAGE_CYAN), 0);
    EXPECT_GT(count_pixels(image(), IMAGE_WHITE), 0);
}

}  // namespace
}  // namespace tesu
