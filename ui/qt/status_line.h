// The line below the drawing. While a run works: its stage and the nodes
// placed so far. Over a finished mesh: the point under the pointer in the
// data file's units, and the node within a few pixels of it, or else the
// element it lies in with its nodes and smallest angle, numbered as in the
// result file. Otherwise a note on the last run: the smallest angle of its
// mesh and the outline segments it left out, why it has no elements, or that
// it was stopped. The legend of the quality colours is kept apart, where it
// hides none of this (the main window puts it in its menu bar).
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

    // The note on a finished mesh, with `missing_segments` outline segments
    // that are no element's edge; on a stopped run; none (a run begins).
    void note_finished(const FinishedMesh& mesh, std::size_t missing_segments, bool quality_mode);
    void note_stopped();
    void clear_note();
    QString note() const;

private:
    AppState& state_;
    QLabel* legend_;
    QLabel* note_;
};

}  // namespace tesu
