// The main window without a mesh generation run: menu, commands, clicks and
// the client area, with a mesh put into the tables by hand where one is
// needed.
#include "ui/qt/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <QWheelEvent>

#include "gui_test_support.h"
#include "output/file_units.h"
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
              "ファイル(&F)|座標データの読み込み(&O) 40001|座標データの修正(&E) 40008|"
              "メッシュの保存(&S)... 40014|-|終了(&X) 40002|"
              "表示(&V)|ヴォロノイ図の表示(&V) 40006|拡大縮小(&Z) 40007|出力データの詳細(&D) 40009|"
              "三角形のヒストグラム(&T) |要素の品質を色で表示(&Q) 40015|品質モード(&M) |"
              "ヘルプ(&H)|TESUの使い方(&C) 40004|-|TESUについて(&A) 40003");
    EXPECT_EQ(window.action(HISTOGRAM_2)->text(), QStringLiteral("２度づつ(&2)"));
}

TEST_F(MainWindowTest, HistogramHasExactlyOneCheckMark) {
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_NONE));
    EXPECT_EQ(state.request.histogram_step, 0);
    window.dispatch(HISTOGRAM_2);
    window.dispatch(HISTOGRAM_2);
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_2));
    EXPECT_EQ(state.request.histogram_step, 2);
    window.action(HISTOGRAM_3)->trigger();
    window.action(HISTOGRAM_3)->trigger();  // the checked item chosen again
    EXPECT_THAT(checked_histogram_items(), ElementsAre(HISTOGRAM_3));
    EXPECT_EQ(state.request.histogram_step, 3);
}

TEST_F(MainWindowTest, WithoutAMeshClicksAndCommandsDoNothing) {
    view().canvas().set_pixel(5, 5, CYAN);
    const ViewState before = state.view;
    for (const int id : {SHOW_VORONOI, SHOW_DETAILS, SAVE_MESH})
        EXPECT_FALSE(window.action(id)->isEnabled()) << id;
    for (const int id :
         {40005, 40000, int(QUALITY_ANGLE) + 1, 0, int(SHOW_VORONOI), int(SHOW_DETAILS), int(SAVE_MESH)})
        window.dispatch(id);
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
    EXPECT_THAT(dialogs.folders, ElementsAre("/earlier", "/earlier"));  // the last data file's
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

TEST_F(MainWindowTest, StandardShortcutsReachTheirCommands) {
    EXPECT_EQ(window.action(LOAD_DATA)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(window.action(EXIT)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_EQ(window.action(HELP_CONTENTS)->shortcut(), QKeySequence(QStringLiteral("F1")));
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.file_requests, 1);
    QTest::keyClick(&window, Qt::Key_F1);
    ASSERT_NE(window.help_window(), nullptr);
    window.help_window()->close();
}

TEST_F(MainWindowTest, HelpWindowShowsTheHelpPageAndGoesWithTheMainWindow) {
    auto* owner = new MainWindow(state, dialogs);
    owner->dispatch(HELP_CONTENTS);
    QPointer<HelpWindow> help = owner->help_window();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("座標データファイルの書式")));
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    owner->dispatch(HELP_CONTENTS);
    QTest::keyClick(help, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(help->isVisible());
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
        // File x = X / 4 + 100, file y = (399 - Y) / 4 + 50.
        state.run.input().data_scale = 4;
        state.run.input().data_min_x = 100;
        state.run.input().data_min_y = 50;
        state.results.mesh = collect_finished_mesh(state.run.tables(), state.run.input(), 3);
        state.mesh_ready = true;
    }
    QPoint on_screen(double x, double y) const {
        const ScreenPoint p = map_to_screen(state.view, x, y);
        return {p.x, p.y};
    }
    void wheel(QPoint at, int angle) {
        QWheelEvent event(at, view().mapToGlobal(at), {}, {0, angle}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view(), &event);
    }
    void drag(Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint from, QPoint to) {
        QTest::mousePress(&view(), button, keys, from);
        QTest::mouseMove(&view(), to);
        QTest::mouseRelease(&view(), button, keys, to);
    }
    QString status() const { return window.status_line()->currentMessage(); }
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

namespace tesu {
namespace {

TEST_F(ReadyMeshTest, WheelZoomsAboutThePointerDraggingPansAndHomeReturnsToTheFullView) {
    const QPoint at{200, 150};
    const DrawingPoint under = screen_to_drawing(state.view, at.x(), at.y());
    const auto expect_still_under = [&] {
        const DrawingPoint now = screen_to_drawing(state.view, at.x(), at.y());
        EXPECT_NEAR(now.x, under.x, 1e-9);
        EXPECT_NEAR(now.y, under.y, 1e-9);
    };
    wheel(at, 120);
    EXPECT_EQ(state.view.view_scale, 2);
    expect_still_under();
    wheel(at, 60);  // half a notch waits for the other half
    EXPECT_EQ(state.view.view_scale, 2);
    wheel(at, 180);
    EXPECT_EQ(state.view.view_scale, 8);
    wheel(at, -120);
    EXPECT_EQ(state.view.view_scale, 4);
    expect_still_under();

    const ViewState before = state.view;
    view().canvas().set_pixel(3, 3, CYAN);
    drag(Qt::MiddleButton, {}, {100, 100}, {130, 90});
    EXPECT_EQ(image().pixel(3, 3), IMAGE_BLACK);  // repainted
    expect_view(4, before.view_center_x - 30 / 4.0, before.view_center_y + 10 / 4.0);
    drag(Qt::LeftButton, Qt::ShiftModifier, {130, 90}, {100, 100});
    expect_view(4, before.view_center_x, before.view_center_y);  // back, and no zoom click
    EXPECT_EQ(view().cursor().shape(), Qt::ArrowCursor);

    QTest::keyClick(&window, Qt::Key_Home);
    expect_view(1, view().width() / 2, view().height() / 2);
    // The status line follows at once: the pointer still rests where the drag ended.
    const DrawingPoint rest = screen_to_drawing(state.view, 100, 100);
    const Point file = to_file_units(state.run.input(), {rest.x, rest.y});
    const QRegularExpressionMatch shown =
        QRegularExpression(QStringLiteral("^x = ([-0-9.]+), y = ([-0-9.]+)"))
            .match(window.status_line()->currentMessage());
    ASSERT_TRUE(shown.hasMatch()) << window.status_line()->currentMessage().toStdString();
    EXPECT_NEAR(shown.captured(1).toDouble(), file.x, 0.05);
    EXPECT_NEAR(shown.captured(2).toDouble(), file.y, 0.05);
    wheel(at, -120);  // at factor 1: the full view stays
    expect_view(1, view().width() / 2, view().height() / 2);
}

TEST_F(ReadyMeshTest, StatusLineNamesThePointAndTheNodeOrElementUnderThePointer) {
    const QRegularExpression coordinates(QStringLiteral("^x = ([-0-9.]+), y = ([-0-9.]+)"));
    QTest::mouseMove(&view(), on_screen(10.5, 10.5));  // node 10, at (102.625, 147.125) in the file
    const QRegularExpressionMatch match = coordinates.match(status());
    ASSERT_TRUE(match.hasMatch()) << status().toStdString();
    EXPECT_NEAR(match.captured(1).toDouble(), 102.625, 0.3);
    EXPECT_NEAR(match.captured(2).toDouble(), 147.125, 0.3);
    EXPECT_TRUE(status().endsWith(QStringLiteral("　ノード 10"))) << status().toStdString();

    const FinishedMesh& mesh = *state.results.mesh;
    ASSERT_EQ(mesh.elements.size(), 2u);
    const auto element_text = [&](int number, const char* angle) {
        const auto& [p, q, r] = mesh.elements[std::size_t(number - 1)];
        return QStringLiteral("　要素 %1 (ノード %2 %3 %4)　最小角 %5°")
            .arg(number)
            .arg(p)
            .arg(q)
            .arg(r)
            .arg(angle);
    };
    QTest::mouseMove(&view(), on_screen(20.5, 15));  // nodes 10, 11, 12: a right angle
    EXPECT_TRUE(status().endsWith(element_text(1, "45.0"))) << status().toStdString();
    EXPECT_THAT(mesh.elements[0], ::testing::UnorderedElementsAre(10, 11, 12));
    QTest::mouseMove(&view(), on_screen(17, 8));  // nodes 10, 11, 13
    EXPECT_TRUE(status().endsWith(element_text(2, "31.0"))) << status().toStdString();

    QTest::mouseMove(&view(), on_screen(90, 90));  // inside the square, in no element
    EXPECT_TRUE(coordinates.match(status()).hasMatch());
    EXPECT_FALSE(status().contains(QStringLiteral("ノード")) || status().contains(QStringLiteral("要素")));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&view(), &leave);
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(ReadyMeshTest, QualityColoursFillEachElementByItsSmallestAngle) {
    const auto rgb = [](Colour c) { return qRgb(c.red, c.green, c.blue); };
    window.dispatch(QUALITY_COLOURS);
    EXPECT_TRUE(window.action(QUALITY_COLOURS)->isChecked());
    EXPECT_TRUE(window.status_line()->legend()->isVisible());
    QTextDocument legend;
    legend.setHtml(window.status_line()->legend()->text());
    EXPECT_EQ(legend.toPlainText(), QStringLiteral("■<20° ■<30° ■<40° ■<50° ■≥50°"));
    // 45 degrees lies in the band under 50, 31 degrees in the band under 40.
    static_assert(QUALITY_BANDS[3].fill != QUALITY_BANDS[2].fill);
    EXPECT_EQ(image().pixel(on_screen(20.5, 15)), rgb(QUALITY_BANDS[3].fill));
    EXPECT_EQ(image().pixel(on_screen(17, 8)), rgb(QUALITY_BANDS[2].fill));
    EXPECT_EQ(image().pixel(on_screen(90, 90)), IMAGE_BLACK);

    window.action(QUALITY_COLOURS)->trigger();  // off again: the plain picture
    EXPECT_FALSE(window.action(QUALITY_COLOURS)->isChecked());
    EXPECT_FALSE(window.status_line()->legend()->isVisible());
    EXPECT_EQ(count_near(20.5, 16.5, IMAGE_BLACK), 9);
    EXPECT_EQ(image().pixel(on_screen(16.5, 10.5)), IMAGE_WHITE);
}

TEST_F(ReadyMeshTest, SaveWritesTheFormatOfTheExtensionAndSaysWhatFailed) {
    TestFiles files;
    state.results.output_file_name = "/data/square.TES";
    dialogs.save_files = {files.path("m.vtu"), files.path("m.NODE"), files.path("p.png"),
                          files.path("s.svg"), files.path("m.txt"),  files.path("missing/m.msh"),
                          std::nullopt};
    for (std::size_t i = dialogs.save_files.size(); i > 0; --i) window.dispatch(SAVE_MESH);

    EXPECT_EQ(dialogs.suggested_names.front(), "/data/square.msh");
    EXPECT_TRUE(TestFiles::read(files.path("m.vtu")).contains("<VTKFile"));
    EXPECT_FALSE(TestFiles::read(files.path("m.NODE")).isEmpty());
    EXPECT_FALSE(TestFiles::read(files.path("m.ELE")).isEmpty());
    EXPECT_TRUE(TestFiles::read(files.path("s.svg")).contains("<svg"));
    EXPECT_EQ(QImage(QString::fromStdString(files.path("p.png"))).convertToFormat(QImage::Format_RGB32),
              image());
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].caption, "メッシュの保存");
    EXPECT_EQ(dialogs.boxes[0].text.rfind(files.path("m.txt") + " は保存できる形式ではありません。", 0), 0u);
    EXPECT_EQ(dialogs.boxes[1].caption, "データ出力エラー");
    EXPECT_EQ(dialogs.boxes[1].text, output_failure_text(files.path("missing/m.msh")));
}

}  // namespace
}  // namespace tesu
