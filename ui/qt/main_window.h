// The main window: title, menu, the command dispatch and the run of a mesh
// generation, over the client area of MeshView.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>

#include "ui/qt/app_state.h"
#include "ui/qt/commands.h"
#include "ui/qt/help_window.h"
#include "ui/qt/mesh_view.h"
#include "ui/qt/modal_dialogs.h"
#include "ui/qt/qt_platform.h"

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
    // Runs the mesh generation on a data file, as the load command does
    // once its dialog has chosen the file.
    void load_file(const std::string& path);

    MeshView* mesh_view() const { return view_; }
    QtPlatform& platform() { return platform_; }
    QAction* action(int id) const;
    HelpWindow* help_window() const { return help_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build_menu();
    void add_command(QMenu* menu, int id, const QString& text);
    void load_data();
    void edit_data();
    void show_voronoi();
    void show_details();
    void show_help();
    void set_histogram_step(int id);
    void fit_frame_to_outer_size();

    AppState& state_;
    ModalDialogs& dialogs_;
    MeshView* view_;
    QtPlatform platform_;
    std::map<int, QAction*> actions_;
    QActionGroup* histogram_group_ = nullptr;
    QPointer<HelpWindow> help_;
    // A run holds the thread; whatever reaches the window meanwhile must not
    // start anything.
    bool running_ = false;
    bool frame_fitted_ = false;
};

}  // namespace tesu
