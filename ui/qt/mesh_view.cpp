#include "ui/qt/mesh_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace tesu {

MeshView::MeshView(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setCursor(Qt::ArrowCursor);
    // The image covers the whole widget; nothing needs erasing underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MeshView::reset_view() { tesu::reset_view(state_.view, width(), height()); }

void MeshView::repaint_mesh() {
    paint_image();
    show_now();
}

void MeshView::paint_image() {
    const FinishedMesh* finished =
        state_.results.mesh_ready && state_.results.mesh ? &*state_.results.mesh : nullptr;
    paint_mesh(canvas_, state_.view, state_.run.tables(), finished, state_.elements);
}

void MeshView::show_now() { repaint(); }

void MeshView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), canvas_.image(), event->rect());
}

void MeshView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    canvas_.resize(width(), height());
    reset_view();
    paint_image();
    update();
}

void MeshView::mousePressEvent(QMouseEvent* event) {
    if (!state_.results.mesh_ready) return;
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        zoom_in_at(state_.view, at.x(), at.y());
    } else if (event->button() == Qt::RightButton) {
        zoom_out(state_.view);
    } else {
        return;
    }
    repaint_mesh();
}

}  // namespace tesu
