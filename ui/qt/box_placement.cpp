#include "ui/qt/box_placement.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace tesu {

namespace {

// Room beside the caption for the window manager's icon and buttons, in
// lines of the title font.
constexpr int TITLE_BAR_LINES = 8;

// Calls its function at the first expose of the window it watches, then
// goes.
class ExposeWatch : public QObject {
public:
    ExposeWatch(QWindow* window, std::function<void()> then) : QObject(window), then_(std::move(then)) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(then_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

}  // namespace

int caption_width(const QString& caption, const QFont& font) {
    int width = 0;
    for (QFont title : {font, QApplication::font("QMdiSubWindowTitleBar")}) {
        title.setBold(true);
        const QFontMetrics metrics(title);
        width = std::max(width, metrics.horizontalAdvance(caption) + TITLE_BAR_LINES * metrics.height());
    }
    return width;
}

void fit_caption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const QMargins margins = grid->contentsMargins();
    const int width = caption_width(box.windowTitle(), box.font()) - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

void centre_on(QWidget& box, const QWidget* owner) {
    if (!owner) return;
    const QWidget* window = owner->window();
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    const QSize frame = outer.size() - inner.size();
    const QSize size = box.size() + frame;
    QPoint top_left =
        outer.topLeft() + QPoint((outer.width() - size.width()) / 2, (outer.height() - size.height()) / 2);
    if (const QScreen* screen = window->screen()) {
        const QRect area = screen->availableGeometry();
        top_left.setX(std::max(area.left(), std::min(top_left.x(), area.right() + 1 - size.width())));
        top_left.setY(std::max(area.top(), std::min(top_left.y(), area.bottom() + 1 - size.height())));
    }
    box.move(top_left);
}

void when_exposed(QWidget& window, std::function<void()> then) {
    window.winId();  // the native window, to be watched before it is shown
    QWindow* handle = window.windowHandle();
    if (!handle || handle->isExposed()) {
        QTimer::singleShot(0, &window, std::move(then));
        return;
    }
    new ExposeWatch(handle, std::move(then));
}

}  // namespace tesu
