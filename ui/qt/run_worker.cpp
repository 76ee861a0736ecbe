#include "ui/qt/run_worker.h"

#include "output/outline_conformity.h"
#include "output/result_file.h"

namespace tesu {

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

void RunWorker::start(MeshRun& run, std::string output_file, int histogram_step, QualityOptions quality) {
    drawing_.clear();
    progress_ = {};
    outcome_ = {};
    thread_ = std::jthread([this, &run, output_file = std::move(output_file), histogram_step,
                            quality](std::stop_token stop) {
        Observer observer(*this);
        Outcome outcome;
        try {
            outcome.mesh = run.build(observer, stop, quality);
            if (outcome.mesh) {
                outcome.missing_outline_segments = missing_outline_segments(*outcome.mesh).size();
                observer.stage(RunStage::writing, static_cast<int>(outcome.mesh->nodes.size()));
                outcome.written =
                    write_result_file(*outcome.mesh, output_file, histogram_step, &outcome.failure_reason);
            }
        } catch (...) {
            outcome.failure = std::current_exception();
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
