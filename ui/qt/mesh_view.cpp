#include "ui/qt/mesh_view.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

namespace tesu {

namespace {

// How often a run's drawing reaches the screen.
constexpr qint64 PROGRESS_INTERVAL_MS = 100;
// The clock is read only every so many drawing calls.
constexpr unsigned CALLS_PER_CLOCK_READ = 256;

}  // namespace

MeshView::MeshView(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setCursor(Qt::ArrowCursor);
    // The image covers the whole widget; nothing needs erasing underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    since_shown_.start();
}

void MeshView::reset_view() { tesu::reset_view(state_.view, width(), height()); }

void MeshView::repaint_mesh() {
    paint_image();
    show_now();
}

void MeshView::paint_image() {
    paint_mesh(canvas_, state_.view, *state_.mesh, *state_.input, state_.results.mesh_ready, state_.elements);
}

void MeshView::show_now() {
    repaint();
    since_shown_.restart();
}

void MeshView::show_progress() {
    if (++progress_calls_ % CALLS_PER_CLOCK_READ != 0) return;
    if (since_shown_.elapsed() < PROGRESS_INTERVAL_MS) return;
    update();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    since_shown_.restart();
}

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
