// The main window: title, menu, the command dispatch and the run of a mesh
// generation, over the client area of MeshView.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <map>
#include <string>

#include "ui/qt/app_state.h"
#include "ui/qt/commands.h"
#include "ui/qt/help_window.h"
#include "ui/qt/mesh_view.h"
#include "ui/qt/modal_dialogs.h"
#include "ui/qt/run_worker.h"
#include "ui/qt/status_line.h"

class QAction;
class QActionGroup;

namespace tesu {

inline constexpr int OUTER_WIDTH = 680;
inline constexpr int OUTER_HEIGHT = 580;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(AppState& state, ModalDialogs& dialogs);

    // Carries out a menu command; ids that name no command are ignored.
    void dispatch(int id);
    // Runs the mesh generation on a data file named on the command line: as
    // the load command does once its dialog has chosen the file, but a file
    // that cannot be opened is reported in a box.
    void load_file(const std::string& path);
    // True from the summary's OK until the run's end has been shown.
    bool running() const { return running_; }
    // Asks whether to stop the run under way; true when the user chose to.
    // Should the run end while the question is open, the question closes
    // and the run's end is shown once it has.
    bool ask_to_stop();

    MeshView* mesh_view() const { return view_; }
    StatusLine* status_line() const { return status_; }
    QAction* action(int id) const;
    HelpWindow* help_window() const { return help_; }

Q_SIGNALS:
    // A run has ended, with or without a result.
    void run_ended();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build_menu();
    void add_command(QMenu* menu, int id, const QString& text);
    void load_data();
    void edit_data();
    void show_voronoi();
    void show_details();
    void show_help();
    void set_histogram_step(int id);
    void show_quality_colours();
    void switch_quality_mode();
    void choose_min_angle();
    // Runs the mesh generation on a data file: reads it and asks about the
    // summary here, then builds on a worker thread and returns. The report
    // follows when the worker has finished. A file that cannot be opened
    // ends the run silently.
    void mesh_file(const std::string& path);
    // Before a data file is meshed, an editor's unsaved changes to it are
    // saved or passed over as the user chooses; false when the file is not
    // to be meshed.
    bool settle_unsaved_edits(const std::string& path);
    void save_mesh_as();
    // The folder of the last data file, where the open dialog starts.
    std::string data_folder() const;
    void fit_frame_to_outer_size();
    // The state of a run that left no mesh: a black full view.
    void show_no_result();
    // While a run works: the commands that would change it disabled, a busy
    // cursor, and its progress in the status line.
    void set_run_under_way(bool under_way);
    // The commands that need a mesh enabled only while one is ready, and
    // none that would change a run while one works.
    void update_commands();
    void draw_queued();
    // The end of the build on the worker: the driver's last step, then what
    // the window does after a failure or a stop.
    void finish_run();
    // The finished mesh made ready for zoom, details and repaint, and shown.
    void show_finished_mesh(const FinishedMesh& mesh);
    // After a failure's box: for one that ends the program the editors'
    // unsaved changes, then the end with status 1; else the black view.
    void after_failure(const Error& error);
    [[noreturn]] void end_after_failure();

    class RunBoxes;

    AppState& state_;
    ModalDialogs& dialogs_;
    MeshView* view_;
    StatusLine* status_;
    RunWorker worker_;
    QTimer drawing_timer_;
    std::map<int, QAction*> actions_;
    QActionGroup* histogram_group_ = nullptr;
    QPointer<HelpWindow> help_;
    // While the worker builds, the commands that would change the run are
    // disabled and the window only draws what the worker queues.
    bool running_ = false;
    // The window was asked to close during the run and agreed to stop it.
    bool close_when_stopped_ = false;
    // The stop question is open; the run ended meanwhile and waits for it.
    bool stop_question_open_ = false;
    bool run_end_waiting_ = false;
    bool frame_fitted_ = false;
    // Of the last mesh built, for the status line's note.
    std::size_t missing_outline_segments_ = 0;
};

}  // namespace tesu
