// What a run produced: its outcome, the finished mesh and the figures of its
// report and of the details box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/error.h"
#include "output/finished_mesh.h"
#include "run/mesh_run.h"

namespace tesu {

enum class RunOutcome {
    written,        // the mesh was built and its result file written
    not_opened,     // the data file could not be opened
    refused,        // the reader or a check refused the data file
    cancelled,      // the user cancelled the summary
    output_failed,  // the mesh was built but its result file not written
    stopped,        // a stop was requested while the mesh was built
    failed,         // the computation stopped with an error
};

struct RunResults {
    std::string output_file_name;
    std::int32_t start_time = 0;
    std::int32_t end_time = 0;
    // Seconds spent waiting for the user in message boxes after start_time,
    // left out of the computing time.
    std::int32_t waiting_time = 0;
    int element_count = 0;
    // Nodes 4 to last_contour_node are the nodes on the outlines.
    int last_contour_node = 3;
    // Set once the mesh is built, even when its result file was not written.
    std::optional<FinishedMesh> mesh;

    RunOutcome outcome = RunOutcome::not_opened;
    // The failure of an outcome `refused` or `failed`.
    std::optional<Error> error;
    StageTimes stage_times;
};

}  // namespace tesu
