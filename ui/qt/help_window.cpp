#include "ui/qt/help_window.h"

#include <QKeySequence>
#include <QShortcut>
#include <QUrl>

namespace tesu {

HelpWindow::HelpWindow(QWidget* main_window) : QTextBrowser(main_window) {
    // A window of its own, yet a child: destroyed with the main window.
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("TESUの使い方"));
    setOpenExternalLinks(true);
    setSource(QUrl(QStringLiteral("qrc:/help/tesu_help.html")));
    resize(640, 560);
    // Closed as a reader expects of a window that only shows a page.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    }
}

}  // namespace tesu
