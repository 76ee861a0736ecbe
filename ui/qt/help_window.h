// The help contents: the program's own help page in a window of its own,
// which goes when the main window goes.
#pragma once

#include <QTextBrowser>

namespace tesu {

class HelpWindow : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* main_window);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tesu
