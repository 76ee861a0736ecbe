#include "ui/qt/run_worker.h"

#include <new>

#include "output/outline_conformity.h"

namespace tesu {

namespace {

constexpr const char* OUT_OF_MEMORY_TEXT = "メモリが足りません。";

}  // namespace

class RunWorker::Observer : public RunObserver {
public:
    explicit Observer(RunWorker& worker) : worker_(worker) {}

    void stage(RunStage stage, int nodes) override {
        const std::lock_guard lock(worker_.mutex_);
        worker_.progress_ = {stage, nodes};
    }
    void outlines(std::span<const Segment> edges) override {
        worker_.queue({DrawingBatch::Kind::outlines, {edges.begin(), edges.end()}, {}});
    }
    void nodes(std::span<const Point> points) override {
        worker_.queue({DrawingBatch::Kind::nodes, {}, {points.begin(), points.end()}});
    }
    void elements(std::span<const Segment> edges) override {
        worker_.queue({DrawingBatch::Kind::elements, {edges.begin(), edges.end()}, {}});
    }

private:
    RunWorker& worker_;
};

RunWorker::~RunWorker() {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

void RunWorker::start(MeshRun& run, RunRequest request, std::string output_file) {
    drawing_.clear();
    progress_ = {};
    outcome_ = {};
    thread_ = std::jthread([this, &run, request = std::move(request),
                            output_file = std::move(output_file)](std::stop_token stop) {
        Observer observer(*this);
        Outcome outcome;
        try {
            outcome.built = build_run(run, request, output_file, observer, stop);
            if (outcome.built.mesh)
                outcome.missing_outline_segments = missing_outline_segments(*outcome.built.mesh).size();
        } catch (const std::bad_alloc&) {
            // The window says so and ends, as after any failure of the computation.
            outcome.built = {};
            outcome.built.error = computation_error(OUT_OF_MEMORY_TEXT);
        }
        {
            const std::lock_guard lock(mutex_);
            outcome_ = std::move(outcome);
        }
        Q_EMIT finished();
    });
}

void RunWorker::request_stop() { thread_.request_stop(); }

void RunWorker::queue(DrawingBatch batch) {
    const std::lock_guard lock(mutex_);
    drawing_.push_back(std::move(batch));
}

std::vector<DrawingBatch> RunWorker::take_drawing() {
    const std::lock_guard lock(mutex_);
    return std::exchange(drawing_, {});
}

RunProgress RunWorker::progress() {
    const std::lock_guard lock(mutex_);
    return progress_;
}

RunWorker::Outcome RunWorker::take_outcome() {
    if (thread_.joinable()) thread_.join();
    const std::lock_guard lock(mutex_);
    return std::exchange(outcome_, {});
}

}  // namespace tesu
