// The line below the drawing. While a run works: its stage and the nodes
// placed so far. Over a finished mesh: the point under the pointer in the
// data file's units, and the node within a few pixels of it, or else the
// element it lies in with its nodes and smallest angle, numbered as in the
// result file. While the quality colours are shown: their legend.
#pragma once

#include <QStatusBar>

#include "ui/qt/app_state.h"
#include "ui/qt/run_worker.h"

class QLabel;

namespace tesu {

// How far from the pointer a node is still pointed at.
inline constexpr double NODE_PICK_PIXELS = 4.0;

class StatusLine : public QStatusBar {
    Q_OBJECT

public:
    explicit StatusLine(AppState& state, QWidget* parent = nullptr);

    void show_progress(const RunProgress& progress);
    // What lies under the client pixel `at`; nothing without a mesh.
    void show_point(QPoint at);
    void show_legend(bool shown);
    QLabel* legend() const { return legend_; }

private:
    AppState& state_;
    QLabel* legend_;
};

}  // namespace tesu
