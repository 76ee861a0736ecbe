// What a run draws as it goes, in drawing units, handed over in batches. A
// caller overrides only what it shows; every method does nothing by default.
// The run calls it on the thread it runs on.
#pragma once

#include <span>

#include "engine/point.h"

namespace tesu {

enum class RunStage { outline_nodes, insertion, interior_search, refinement, writing };

class RunObserver {
public:
    virtual ~RunObserver() = default;

    // The run starts: whatever was drawn before is gone.
    virtual void run_started() {}
    // The stage the run has reached, and the nodes placed so far.
    virtual void stage(RunStage /*stage*/, int /*nodes*/) {}
    // The edges of the figures' outlines.
    virtual void outlines(std::span<const Segment> /*edges*/) {}
    // Nodes placed or inserted since the last call.
    virtual void nodes(std::span<const Point> /*points*/) {}
    // The edges of elements of the finished mesh.
    virtual void elements(std::span<const Segment> /*edges*/) {}
};

}  // namespace tesu
