#include "ui/qt/mesh_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace tesu {

namespace {

// The angle of one wheel notch, in eighths of a degree.
constexpr int WHEEL_STEP = 120;

}  // namespace

MeshView::MeshView(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setCursor(Qt::ArrowCursor);
    setMouseTracking(true);
    // The image covers the whole widget; nothing needs erasing underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MeshView::reset_view() { tesu::reset_view(state_.view, width(), height()); }

void MeshView::repaint_mesh() {
    paint_image();
    show_now();
    if (pointer_) Q_EMIT pointer_moved(*pointer_);
}

void MeshView::show_full_view() {
    if (!state_.mesh_ready) return;
    reset_view();
    repaint_mesh();
}

void MeshView::paint_image() {
    const FinishedMesh* finished = state_.mesh_ready && state_.results.mesh ? &*state_.results.mesh : nullptr;
    if (finished && state_.quality_colours) {
        paint_mesh_quality(canvas_, state_.view, *finished);
    } else {
        paint_mesh(canvas_, state_.view, finished, state_.elements);
    }
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
    if (!state_.mesh_ready) return;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && shift)) {
        drag_from_ = event->position();
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    pointer_ = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        zoom_in_at(state_.view, pointer_->x(), pointer_->y());
    } else if (event->button() == Qt::RightButton) {
        zoom_out(state_.view);
    } else {
        return;
    }
    repaint_mesh();
}

void MeshView::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position().toPoint();
    if (drag_from_ && state_.mesh_ready) {
        const QPointF moved = event->position() - *drag_from_;
        drag_from_ = event->position();
        pan(state_.view, moved.x(), moved.y());
        return repaint_mesh();
    }
    Q_EMIT pointer_moved(*pointer_);
}

void MeshView::mouseReleaseEvent(QMouseEvent* event) {
    if (!drag_from_ || event->buttons() & (Qt::MiddleButton | Qt::LeftButton)) return;
    drag_from_.reset();
    setCursor(Qt::ArrowCursor);
}

void MeshView::wheelEvent(QWheelEvent* event) {
    if (!state_.mesh_ready) return;
    wheel_turn_ += event->angleDelta().y();
    const QPointF at = event->position();
    pointer_ = at.toPoint();
    bool zoomed = false;
    for (; wheel_turn_ >= WHEEL_STEP; wheel_turn_ -= WHEEL_STEP, zoomed = true)
        wheel_zoom_at(state_.view, at.x(), at.y(), true);
    for (; wheel_turn_ <= -WHEEL_STEP; wheel_turn_ += WHEEL_STEP, zoomed = true)
        wheel_zoom_at(state_.view, at.x(), at.y(), false);
    if (zoomed) repaint_mesh();
}

void MeshView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    pointer_.reset();
    Q_EMIT pointer_left();
}

}  // namespace tesu
