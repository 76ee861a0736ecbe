#include "ui/qt/qt_platform.h"

#include <cstdio>
#include <cstdlib>

namespace tesu {

QtPlatform::QtPlatform(ModalDialogs& dialogs, QWidget& owner, MeshView& view, AppState& state)
    : dialogs_(dialogs), owner_(owner), view_(view), state_(state) {}

Answer QtPlatform::message_box(std::string_view caption, std::string_view text, Buttons buttons,
                               MessageKind) {
    // What the run drew since the screen was last updated is there before
    // the box.
    view_.show_now();
    return dialogs_.message_box(&owner_, caption, text, buttons);
}

void QtPlatform::fatal(std::string_view caption, std::string_view text, FatalCause) {
    message_box(caption, text, Buttons::ok);
    if (on_fatal) on_fatal(EXIT_STATUS_FATAL);
    // The run is abandoned half-way: no destructor of the window system may
    // run over its state. Output already written still reaches its files.
    std::fflush(nullptr);
    std::_Exit(EXIT_STATUS_FATAL);
}

void QtPlatform::begin_run() {
    state_.elements.clear();
    view_.reset_view();
    view_.repaint_mesh();
}

void QtPlatform::draw_line(double x0, double y0, double x1, double y1) {
    draw_segment(view_.canvas(), state_.view, WHITE, x0, y0, x1, y1);
    view_.show_progress();
}

void QtPlatform::plot_point(double x, double y) {
    plot_dot(view_.canvas(), state_.view, x, y);
    view_.show_progress();
}

}  // namespace tesu
