// The client area of the main window: the view, the image that holds what is
// drawn, the repaint of the finished mesh, the zoom clicks, the wheel and
// dragging. Painting only puts the image on the screen.
#pragma once

#include <QWidget>
#include <optional>

#include "ui/qt/app_state.h"
#include "ui/qt/image_canvas.h"

namespace tesu {

class MeshView : public QWidget {
    Q_OBJECT

public:
    MeshView(AppState& state, QWidget* parent = nullptr);

    ImageCanvas& canvas() { return canvas_; }
    const QImage& image() const { return canvas_.image(); }

    // Back to the full view of the present client size.
    void reset_view();
    // Erases the image and draws the elements of a ready mesh, then shows it
    // at once. Whatever was drawn outside the repaint is gone. The pointer,
    // when over the area, is told again: the view under it may have moved.
    void repaint_mesh();
    // The image as it is now, on screen at once.
    void show_now();
    // A ready mesh in the full view, repainted.
    void show_full_view();

Q_SIGNALS:
    // The pointer is over this client pixel, or has left the area.
    void pointer_moved(QPoint at);
    void pointer_left();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void paint_image();

    AppState& state_;
    ImageCanvas canvas_;
    // While the middle button, or the left with Shift, drags the picture:
    // where the pointer was.
    std::optional<QPointF> drag_from_;
    // Wheel turns not yet a whole step (a step is 120).
    int wheel_turn_ = 0;
    // The client pixel under the pointer, while it is over the area.
    std::optional<QPoint> pointer_;
};

}  // namespace tesu
