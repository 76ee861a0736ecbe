// One mesh generation run: data file to mesh, result file and report.
#pragma once

#include <cstdint>
#include <string>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"
#include "ui/platform.h"

namespace tesu {

// Wall-clock seconds spent in each stage of the last run, for benchmarks.
struct StageTimes {
    double reading = 0;
    double outline_nodes = 0;
    double insertion = 0;
    double interior_search = 0;
    double writing = 0;
};

enum class RunOutcome {
    written,        // the mesh was built and its result file written
    not_opened,     // the data file could not be opened
    refused,        // the reader or a check refused the data file
    cancelled,      // the user cancelled the summary
    output_failed,  // the mesh was built but its result file not written
    name_too_long,  // the result path would not fit
};

struct RunResults {
    std::string output_file_name;
    // When set, the result is written here instead of the name formed from
    // the data file.
    std::string output_override;
    // 1 once the last run has built its mesh; gates repaint, zoom, details.
    int mesh_ready = 0;
    std::int32_t start_time = 0;
    std::int32_t end_time = 0;
    int element_count = 0;
    // Nodes 4 to last_contour_node are the nodes on the outlines.
    int last_contour_node = 3;
    // Bin width of the distortion section, 0 (none) to 3 degrees; chosen by
    // the user, read when the result file is written.
    int histogram_step = 0;

    RunOutcome outcome = RunOutcome::not_opened;
    StageTimes stage_times;
};

// Sets output_file_name: input_file_name cut at the first '.' of the file's
// own name (never in a folder name), then ".TES". Returns false when the
// result would exceed the longest path Linux accepts.
bool form_output_name(const InputTables& input, RunResults& results);

// Runs the whole pipeline on input.input_file_name.
void run_mesh_generation(MeshTables& mesh, InputTables& input, RunResults& results, Platform& platform);

}  // namespace tesu
