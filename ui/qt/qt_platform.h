// The platform of the desktop program: message boxes owned by the main
// window, the fatal ending with status 1, and a run's drawing straight into
// the client area's image.
#pragma once

#include <functional>

#include "ui/platform.h"
#include "ui/qt/mesh_view.h"
#include "ui/qt/modal_dialogs.h"

namespace tesu {

class QtPlatform : public Platform {
public:
    QtPlatform(ModalDialogs& dialogs, QWidget& owner, MeshView& view, AppState& state);

    Answer message_box(std::string_view caption, std::string_view text, Buttons buttons,
                       MessageKind kind = MessageKind::problem) override;
    [[noreturn]] void fatal(std::string_view caption, std::string_view text, FatalCause cause) override;
    void begin_run() override;
    void draw_line(double x0, double y0, double x1, double y1) override;
    void plot_point(double x, double y) override;

    // Called instead of ending the process when set (tests throw from it).
    std::function<void(int status)> on_fatal;

private:
    ModalDialogs& dialogs_;
    QWidget& owner_;
    MeshView& view_;
    AppState& state_;
};

}  // namespace tesu
