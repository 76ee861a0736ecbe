#include "ui/qt/help_window.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QUrl>

namespace tesu {

HelpWindow::HelpWindow(QWidget* main_window) : QTextBrowser(main_window) {
    // A window of its own, yet a child: destroyed with the main window.
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("TESUの使い方"));
    setOpenExternalLinks(true);
    setSource(QUrl(QStringLiteral("qrc:/help/tesu_help.html")));
    resize(640, 560);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Closed as a reader expects of a window that only shows a page.
    const bool ctrl_w = event->key() == Qt::Key_W && event->modifiers() == Qt::ControlModifier;
    if (event->key() == Qt::Key_Escape || ctrl_w || event->matches(QKeySequence::Close)) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

}  // namespace tesu
