// The client area of the main window: the view, the image that holds what is
// drawn, the repaint of the finished mesh and the zoom clicks. Painting only
// puts the image on the screen.
#pragma once

#include <QWidget>

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
    // at once. Whatever was drawn outside the repaint is gone.
    void repaint_mesh();
    // The image as it is now, on screen at once.
    void show_now();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paint_image();

    AppState& state_;
    ImageCanvas canvas_;
};

}  // namespace tesu
