// The build step of a run (build_run) on a thread of its own. What it draws
// is queued, in order, for the window to take on its own thread; the end of
// the build (the mesh, its result file written or not, a stop or a failure)
// reaches the window through a queued signal. The window never waits for the
// worker but to join it once that signal has come.
#pragma once

#include <QObject>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "run/run_driver.h"

namespace tesu {

// A stretch of drawing of one kind, in the order the run drew it.
struct DrawingBatch {
    enum class Kind { outlines, nodes, elements };
    Kind kind;
    std::vector<Segment> segments;
    std::vector<Point> points;
};

struct RunProgress {
    RunStage stage = RunStage::outline_nodes;
    int nodes = 0;
};

class RunWorker : public QObject {
    Q_OBJECT

public:
    struct Outcome {
        BuiltMesh built;
        // Outline segments that are no element's edge.
        std::size_t missing_outline_segments = 0;
    };

    ~RunWorker() override;

    // Builds on `run` as `request` asks, whose tables nobody else may touch
    // until finished() has come, and writes the result file at
    // `output_file`.
    void start(MeshRun& run, RunRequest request, std::string output_file);
    void request_stop();
    bool running() const { return thread_.joinable(); }

    // The drawing queued since the last call, oldest first.
    std::vector<DrawingBatch> take_drawing();
    RunProgress progress();
    // Joins the worker after finished(); what it left.
    Outcome take_outcome();

Q_SIGNALS:
    void finished();

private:
    class Observer;
    void queue(DrawingBatch batch);

    std::mutex mutex_;
    std::vector<DrawingBatch> drawing_;
    RunProgress progress_;
    Outcome outcome_;
    std::jthread thread_;
};

}  // namespace tesu
