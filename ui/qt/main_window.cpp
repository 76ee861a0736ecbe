#include "ui/qt/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "engine/error.h"
#include "input/data_file.h"
#include "output/voronoi_edges.h"
#include "run/run_driver.h"
#include "ui/details_text.h"
#include "ui/drawing.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/mesh_saving.h"
#include "ui/qt/open_failure.h"
#include "ui/qt/partial_lines_report.h"

namespace tesu {

namespace {

constexpr std::string_view ZOOM_HINT_CAPTION = "拡大・縮小";
constexpr std::string_view ZOOM_HINT_TEXT =
    "拡大させたい場所を左クリックして下さい。\n縮小は右クリックです。";
constexpr std::string_view STOP_CAPTION = "メッシュ生成中";
constexpr std::string_view STOP_TEXT = "メッシュの生成を中止しますか？";
constexpr std::string_view NO_CENTRE_TEXT = "架空の点エラー、外心の計算において";
constexpr std::string_view EDITOR_CAPTION = "メモ帳";
constexpr std::string_view SAVE_CAPTION = "メッシュの保存";
constexpr std::string_view UNKNOWN_FORMAT_TEXT =
    " は保存できる形式ではありません。\n拡張子は .msh .vtu .node .ele .poly .svg .png のいずれかです。";

// What the worker has drawn reaches the screen this often.
constexpr int DRAWING_INTERVAL_MS = 100;

// The commands that would change a run under way or read its tables.
constexpr int RUN_COMMANDS[] = {LOAD_DATA,       SHOW_VORONOI, SHOW_DETAILS, HISTOGRAM_NONE,
                                HISTOGRAM_1,     HISTOGRAM_2,  HISTOGRAM_3,  SAVE_MESH,
                                QUALITY_COLOURS, QUALITY_MODE, QUALITY_ANGLE};
// The commands that do nothing without a mesh.
constexpr int MESH_COMMANDS[] = {SHOW_VORONOI, SHOW_DETAILS, SAVE_MESH};

QString min_angle_item_text(double degrees) {
    return degrees > 0 ? QStringLiteral("最小角 %1° (&A)...").arg(degrees)
                       : QStringLiteral("最小角 なし (&A)...");
}

template <std::size_t N>
bool is_one_of(int id, const int (&ids)[N]) {
    return std::ranges::find(ids, id) != std::end(ids);
}

// A failure inside the computation leaves the tables half-built, and its
// caption tells the user that the program ends; a refused data file or an
// unwritten result leaves the program as it was.
bool ends_program(ErrorCause cause) {
    switch (cause) {
        case ErrorCause::read:
        case ErrorCause::output:
            return false;
        case ErrorCause::computation:
        case ErrorCause::capacity:
            return true;
    }
    return true;
}

}  // namespace

// The run's boxes over the window, and the finished mesh shown before its
// report.
class MainWindow::RunBoxes : public Platform {
public:
    explicit RunBoxes(MainWindow& window) : window_(window) {}

    Answer message_box(std::string_view caption, std::string_view text, Buttons buttons,
                       MessageKind) override {
        return window_.dialogs_.message_box(&window_, caption, text, buttons);
    }
    bool accept_partial_lines(const std::vector<PartialLine>& lines) override {
        message_box(PARTIAL_LINES_CAPTION, partial_lines_report(lines), Buttons::ok,
                    MessageKind::information);
        return true;
    }
    void mesh_ready(const RunResults& results) override { window_.show_finished_mesh(*results.mesh); }

private:
    MainWindow& window_;
};

MainWindow::MainWindow(AppState& state, ModalDialogs& dialogs)
    : state_(state),
      dialogs_(dialogs),
      view_(new MeshView(state, this)),
      status_(new StatusLine(state, this)) {
    setWindowTitle(QStringLiteral("有限要素法のための自動要素生成 32ビット版"));
    setWindowIcon(QIcon(QStringLiteral(":/tesu.png")));
    setCentralWidget(view_);
    setStatusBar(status_);
    // The legend in the menu bar's free corner, where it hides no status; a
    // menu bar the desktop shows apart has no corner, and the status line
    // takes it after all.
    if (menuBar()->isNativeMenuBar()) {
        status_->addPermanentWidget(status_->legend());
    } else {
        menuBar()->setCornerWidget(status_->legend(), Qt::TopRightCorner);
    }
    // During a run the status line shows its progress instead.
    connect(view_, &MeshView::pointer_moved, this, [this](QPoint at) {
        if (!running_) status_->show_point(at);
    });
    connect(view_, &MeshView::pointer_left, this, [this] {
        if (!running_) status_->clearMessage();
    });
    build_menu();
    // Nor may the legend's coming and going resize it.
    menuBar()->setFixedHeight(menuBar()->sizeHint().height());
    update_commands();
    resize(OUTER_WIDTH, OUTER_HEIGHT);
    dispatch(HISTOGRAM_NONE);
    drawing_timer_.setInterval(DRAWING_INTERVAL_MS);
    connect(&drawing_timer_, &QTimer::timeout, this, &MainWindow::draw_queued);
    connect(&worker_, &RunWorker::finished, this, &MainWindow::finish_run, Qt::QueuedConnection);
}

void MainWindow::build_menu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    add_command(file, LOAD_DATA, QStringLiteral("座標データの読み込み(&O)"));
    add_command(file, EDIT_DATA, QStringLiteral("座標データの修正(&E)"));
    add_command(file, SAVE_MESH, QStringLiteral("メッシュの保存(&S)..."));
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
    add_command(view, QUALITY_COLOURS, QStringLiteral("要素の品質を色で表示(&Q)"));
    actions_[QUALITY_COLOURS]->setCheckable(true);
    QMenu* quality = view->addMenu(QStringLiteral("品質モード(&M)"));
    add_command(quality, QUALITY_MODE, QStringLiteral("輪郭線に沿わせ角度を保証する(&G)"));
    actions_[QUALITY_MODE]->setCheckable(true);
    add_command(quality, QUALITY_ANGLE, min_angle_item_text(state_.quality_min_angle));

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    add_command(help, HELP_CONTENTS, QStringLiteral("TESUの使い方(&C)"));
    help->addSeparator();
    add_command(help, ABOUT, QStringLiteral("TESUについて(&A)"));

    // Beside the menu's own Alt accelerators.
    actions_[LOAD_DATA]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    actions_[EXIT]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    actions_[HELP_CONTENTS]->setShortcut(QKeySequence(Qt::Key_F1));
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
    if (running_ && is_one_of(id, RUN_COMMANDS)) return;
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
        case QUALITY_COLOURS:
            return show_quality_colours();
        case QUALITY_MODE:
            return switch_quality_mode();
        case QUALITY_ANGLE:
            return choose_min_angle();
        case SAVE_MESH:
            return save_mesh_as();
        case HELP_CONTENTS:
            return show_help();
        case ABOUT:
            return dialogs_.show_about(this);
        default:
            return;  // 40005 and every id outside the menu
    }
}

void MainWindow::load_data() {
    const auto path = dialogs_.choose_data_file(this, data_folder());
    if (path) mesh_file(*path);
}

void MainWindow::load_file(const std::string& path) {
    if (running_) return;
    if (const std::string reason = open_failure_reason(path); !reason.empty()) {
        show_no_result();
        dialogs_.message_box(this, READ_ERROR_CAPTION, open_failure_text(path, reason), Buttons::ok);
        return;
    }
    mesh_file(path);
}

bool MainWindow::settle_unsaved_edits(const std::string& path) {
    EditorWindow* editor = find_editor(path);
    if (!editor || !editor->has_unsaved_changes()) return true;
    switch (dialogs_.ask_about_unsaved_edits(this, editor->file_name())) {
        case StaleEditChoice::save_and_mesh:
            return editor->save();  // a failed save has said why
        case StaleEditChoice::mesh_file_on_disk:
            return true;
        case StaleEditChoice::cancel:
            return false;
    }
    return false;
}

void MainWindow::mesh_file(const std::string& path) {
    if (running_ || !settle_unsaved_edits(path)) return;
    state_.mesh_ready = false;
    state_.elements.clear();
    status_->clear_note();
    update_commands();
    view_->reset_view();
    view_->repaint_mesh();

    state_.request.quality =
        state_.quality_mode ? QualityOptions{true, state_.quality_min_angle} : QualityOptions{};
    RunBoxes boxes(*this);
    // A file that cannot be opened or a cancelled summary ends the run here.
    if (!begin_run(state_.run, path, state_.request, state_.results, boxes)) {
        if (state_.results.error) after_failure(*state_.results.error);
        return;
    }
    running_ = true;
    close_when_stopped_ = false;
    set_run_under_way(true);
    worker_.start(state_.run, state_.request, state_.results.output_file_name);
    drawing_timer_.start();
}

void MainWindow::draw_queued() {
    ImageCanvas& canvas = view_->canvas();
    for (const DrawingBatch& batch : worker_.take_drawing()) {
        for (const Segment& s : batch.segments)
            draw_segment(canvas, state_.view, WHITE, s.from.x, s.from.y, s.to.x, s.to.y);
        for (const Point& p : batch.points) plot_dot(canvas, state_.view, p.x, p.y);
    }
    view_->update();
    status_->show_progress(worker_.progress());
}

void MainWindow::finish_run() {
    if (stop_question_open_) {
        // The question is moot; the run's end is shown once it has gone.
        run_end_waiting_ = true;
        dialogs_.close_message_box();
        return;
    }
    drawing_timer_.stop();
    RunWorker::Outcome outcome = worker_.take_outcome();
    draw_queued();
    running_ = false;
    set_run_under_way(false);
    missing_outline_segments_ = outcome.missing_outline_segments;
    RunBoxes boxes(*this);
    end_run(state_.run, std::move(outcome.built), state_.results, boxes);
    if (state_.results.error) {
        after_failure(*state_.results.error);
    } else if (state_.results.outcome == RunOutcome::stopped) {
        show_no_result();
        status_->note_stopped();
        if (close_when_stopped_) close();
    }
    Q_EMIT run_ended();
}

void MainWindow::show_finished_mesh(const FinishedMesh& mesh) {
    state_.probe.clear();
    // The mesh is drawn and ready even when its file could not be written.
    state_.mesh_ready = true;
    update_commands();
    status_->note_finished(mesh, missing_outline_segments_, state_.request.quality.refines());
    view_->show_now();
    // Found now rather than at the first zoom click, which then repaints
    // at full speed.
    state_.elements.elements(mesh);
    // The run drew in white; the quality colours, when chosen, come at once.
    if (state_.quality_colours) view_->repaint_mesh();
}

void MainWindow::after_failure(const Error& error) {
    if (ends_program(error.cause())) end_after_failure();
    show_no_result();
}

void MainWindow::end_after_failure() {
    // The editors live in this process: their unsaved changes are offered
    // for saving before it ends.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* editor = qobject_cast<EditorWindow*>(window);
        if (!editor || !editor->has_unsaved_changes()) continue;
        const QString question = QStringLiteral("%1 の変更を保存しますか?").arg(editor->file_name());
        if (dialogs_.message_box(editor, EDITOR_CAPTION, question.toStdString(), Buttons::ok_cancel) ==
            Answer::ok) {
            editor->save();
        }
    }
    // The run was abandoned half-way: no destructor may run over its state.
    std::fflush(nullptr);
    std::_Exit(EXIT_STATUS_FATAL);
}

void MainWindow::show_no_result() {
    state_.mesh_ready = false;
    state_.results.mesh.reset();
    state_.elements.clear();
    state_.probe.clear();
    update_commands();
    view_->reset_view();
    view_->repaint_mesh();
}

void MainWindow::update_commands() {
    for (const int id : RUN_COMMANDS) actions_[id]->setEnabled(!running_);
    for (const int id : MESH_COMMANDS) actions_[id]->setEnabled(!running_ && state_.mesh_ready);
}

void MainWindow::set_run_under_way(bool under_way) {
    update_commands();
    if (under_way) {
        setCursor(Qt::BusyCursor);
        view_->setCursor(Qt::BusyCursor);
        status_->show_progress(worker_.progress());
    } else {
        unsetCursor();
        view_->setCursor(Qt::ArrowCursor);
        status_->clearMessage();
    }
}

bool MainWindow::ask_to_stop() {
    if (!running_ || stop_question_open_) return false;
    stop_question_open_ = true;
    const Answer answer = dialogs_.message_box(this, STOP_CAPTION, STOP_TEXT, Buttons::ok_cancel);
    stop_question_open_ = false;
    if (run_end_waiting_) {
        run_end_waiting_ = false;
        finish_run();
        return false;
    }
    if (answer != Answer::ok) return false;
    worker_.request_stop();
    return true;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && running_) {
        ask_to_stop();
        return;
    }
    if (event->key() == Qt::Key_Home && !running_) return view_->show_full_view();
    QMainWindow::keyPressEvent(event);
}

void MainWindow::edit_data() {
    if (state_.mesh_ready) return edit_file(state_.run.input().input_file_name, dialogs_, this);
    const auto path = dialogs_.choose_data_file(this, data_folder());
    if (!path) return;
    // The data file of a run under way stays as it is.
    if (!running_) state_.run.input().input_file_name = *path;
    edit_file(*path, dialogs_, this);
}

std::string MainWindow::data_folder() const {
    return std::filesystem::path(state_.run.input().input_file_name).parent_path().string();
}

void MainWindow::show_voronoi() {
    if (!state_.mesh_ready) return;
    const VoronoiEdges voronoi = voronoi_edges(state_.run.tables());
    draw_voronoi(view_->canvas(), state_.view, voronoi.edges);
    view_->show_now();
    if (!voronoi.all_finite)
        dialogs_.message_box(this, COMPUTATION_ERROR_CAPTION, NO_CENTRE_TEXT, Buttons::ok);
}

void MainWindow::show_details() {
    if (!state_.mesh_ready) return;
    dialogs_.message_box(this, DETAILS_CAPTION, details_text(state_.run.input(), state_.results, state_.view),
                         Buttons::ok);
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
    state_.request.histogram_step = id - HISTOGRAM_NONE;
}

void MainWindow::show_quality_colours() {
    state_.quality_colours = !state_.quality_colours;
    actions_[QUALITY_COLOURS]->setChecked(state_.quality_colours);
    status_->show_legend(state_.quality_colours);
    if (state_.mesh_ready) view_->repaint_mesh();
}

void MainWindow::switch_quality_mode() {
    state_.quality_mode = !state_.quality_mode;
    actions_[QUALITY_MODE]->setChecked(state_.quality_mode);
}

void MainWindow::choose_min_angle() {
    const auto degrees = dialogs_.ask_min_angle(this, state_.quality_min_angle);
    if (!degrees || !(*degrees == 0 || valid_min_angle(*degrees))) return;
    state_.quality_min_angle = *degrees;
    actions_[QUALITY_ANGLE]->setText(min_angle_item_text(*degrees));
    // An angle is chosen to be used.
    state_.quality_mode = true;
    actions_[QUALITY_MODE]->setChecked(true);
}

void MainWindow::save_mesh_as() {
    if (!state_.mesh_ready || !state_.results.mesh) return;
    const std::string suggested =
        std::filesystem::path(state_.results.output_file_name).replace_extension(".msh").string();
    const auto path = dialogs_.choose_save_file(this, suggested);
    if (!path) return;
    if (!is_save_format(*path)) {
        dialogs_.message_box(this, SAVE_CAPTION, *path + std::string(UNKNOWN_FORMAT_TEXT), Buttons::ok);
        return;
    }
    std::string failures;
    for (const std::string& failed : save_mesh(*path, *state_.results.mesh, view_->image())) {
        if (!failures.empty()) failures += '\n';
        failures += output_failure_text(failed);
    }
    if (!failures.empty()) dialogs_.message_box(this, OUTPUT_ERROR_CAPTION, failures, Buttons::ok);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (running_) {
        // Closed once the run has stopped, if the user wants it stopped.
        event->ignore();
        const bool stopping = ask_to_stop();
        // The run may have ended while the question was open.
        if (!running_) return (void)close();
        close_when_stopped_ = stopping;
        return;
    }
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
