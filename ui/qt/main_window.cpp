#include "ui/qt/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <QScopedValueRollback>

#include "input/mesh_run.h"
#include "ui/details_text.h"
#include "ui/drawing.h"
#include "ui/qt/editor_window.h"

namespace tesu {

namespace {

constexpr std::string_view ZOOM_HINT_CAPTION = "拡大・縮小";
constexpr std::string_view ZOOM_HINT_TEXT =
    "拡大させたい場所を左クリックして下さい。\n縮小は右クリックです。";

}  // namespace

MainWindow::MainWindow(AppState& state, ModalDialogs& dialogs)
    : state_(state),
      dialogs_(dialogs),
      view_(new MeshView(state, this)),
      platform_(dialogs, *this, *view_, state) {
    setWindowTitle(QStringLiteral("有限要素法のための自動要素生成 32ビット版"));
    setWindowIcon(QIcon(QStringLiteral(":/tesu.png")));
    setCentralWidget(view_);
    build_menu();
    resize(OUTER_WIDTH, OUTER_HEIGHT);
    dispatch(HISTOGRAM_NONE);
}

void MainWindow::build_menu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    add_command(file, LOAD_DATA, QStringLiteral("座標データの読み込み(&O)"));
    add_command(file, EDIT_DATA, QStringLiteral("座標データの修正(&E)"));
    file->addSeparator();
    add_command(file, EXIT, QStringLiteral("終了(&X)"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    add_command(view, SHOW_VORONOI, QStringLiteral("ヴォロノイ図の表示(&V)"));
    add_command(view, ZOOM_HINT, QStringLiteral("拡大縮小(&Z)"));
    add_command(view, SHOW_DETAILS, QStringLiteral("出力データの詳細(&D)"));
    QMenu* histogram = view->addMenu(QStringLiteral("三角形のヒストグラム(&T)"));
    histogram_group_ = new QActionGroup(this);
    histogram_group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    add_command(histogram, HISTOGRAM_NONE, QStringLiteral("なし"));
    add_command(histogram, HISTOGRAM_1, QStringLiteral("１度づつ(&1)"));
    add_command(histogram, HISTOGRAM_2, QStringLiteral("２度づつ(&2)"));
    add_command(histogram, HISTOGRAM_3, QStringLiteral("３度づつ(&3)"));
    for (int id = HISTOGRAM_NONE; id <= HISTOGRAM_3; ++id) {
        actions_[id]->setCheckable(true);
        histogram_group_->addAction(actions_[id]);
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    add_command(help, HELP_CONTENTS, QStringLiteral("TESUの使い方(&C)"));
    help->addSeparator();
    add_command(help, ABOUT, QStringLiteral("TESUについて(&A)"));
}

void MainWindow::add_command(QMenu* menu, int id, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { dispatch(id); });
    actions_[id] = action;
}

QAction* MainWindow::action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::dispatch(int id) {
    if (running_) return;
    switch (id) {
        case LOAD_DATA:
            return load_data();
        case EDIT_DATA:
            return edit_data();
        case EXIT:
            close();
            return;
        case SHOW_VORONOI:
            return show_voronoi();
        case ZOOM_HINT:
            dialogs_.message_box(this, ZOOM_HINT_CAPTION, ZOOM_HINT_TEXT, Buttons::ok);
            return;
        case SHOW_DETAILS:
            return show_details();
        case HISTOGRAM_NONE:
        case HISTOGRAM_1:
        case HISTOGRAM_2:
        case HISTOGRAM_3:
            return set_histogram_step(id);
        case HELP_CONTENTS:
            return show_help();
        case ABOUT:
            return dialogs_.show_about(this);
        default:
            return;  // 40005 and every id outside the menu
    }
}

void MainWindow::load_data() {
    const auto path = dialogs_.choose_data_file(this);
    if (path) load_file(*path);
}

void MainWindow::load_file(const std::string& path) {
    if (running_) return;
    state_.input->input_file_name = path;
    {
        const QScopedValueRollback<bool> running(running_, true);
        run_mesh_generation(*state_.mesh, *state_.input, state_.results, platform_);
    }
    // The window keeps what the run drew until its next repaint.
    view_->show_now();
    // Found now rather than at the first zoom click, which then repaints at
    // full speed.
    if (state_.results.mesh_ready) state_.elements.elements(*state_.mesh, *state_.input);
}

void MainWindow::edit_data() {
    if (!state_.results.mesh_ready) {
        const auto path = dialogs_.choose_data_file(this);
        if (!path) return;
        state_.input->input_file_name = *path;
    }
    edit_file(state_.input->input_file_name, dialogs_);
}

void MainWindow::show_voronoi() {
    if (!state_.results.mesh_ready) return;
    draw_voronoi(view_->canvas(), state_.view, *state_.mesh, state_.results.mesh_ready, platform_);
    view_->show_now();
}

void MainWindow::show_details() {
    if (!state_.results.mesh_ready) return;
    dialogs_.message_box(this, DETAILS_CAPTION,
                         details_text(*state_.mesh, *state_.input, state_.results, state_.view), Buttons::ok);
}

void MainWindow::show_help() {
    if (!help_) help_ = new HelpWindow(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainWindow::set_histogram_step(int id) {
    // The group is exclusive: checking one item clears the other three.
    actions_[id]->setChecked(true);
    state_.results.histogram_step = id - HISTOGRAM_NONE;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (running_) return event->ignore();
    // The editors live in this process: their unsaved changes are asked
    // about before the program ends, and the user may keep it open.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* editor = qobject_cast<EditorWindow*>(window);
        if (editor && editor->isVisible() && !editor->close()) return event->ignore();
    }
    if (help_) help_->close();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!frame_fitted_) fit_frame_to_outer_size();
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (!frame_fitted_ && isVisible() && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        fit_frame_to_outer_size();
    }
    return handled;
}

void MainWindow::fit_frame_to_outer_size() {
    // The window manager adds its frame after the window is shown; once its
    // size is known the window is made smaller by it, once.
    const QSize outer = frameGeometry().size();
    const QSize inner = geometry().size();
    if (outer == inner) return;
    frame_fitted_ = true;
    resize(OUTER_WIDTH - (outer.width() - inner.width()), OUTER_HEIGHT - (outer.height() - inner.height()));
}

}  // namespace tesu
