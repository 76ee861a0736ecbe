// The sequence of one mesh generation run with its messages, as both
// programs show it: begin_run (read, prepare, the summary), build_run (the
// mesh and its result file, on whichever thread the caller gives it), then
// end_run (the failure boxes, the end time, the report). The batch program
// runs the three in turn (run_mesh_generation); the window builds on a
// worker thread in between.
#pragma once

#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "engine/error.h"
#include "output/finished_mesh.h"
#include "refine/quality_options.h"
#include "run/mesh_run.h"
#include "run/run_messages.h"
#include "run/run_observer.h"
#include "run/run_results.h"

namespace tesu {

inline constexpr std::string_view SUMMARY_CAPTION = "データ読み込み終了";
inline constexpr std::string_view REPORT_CAPTION = "データ出力終了";

// What the caller asks of a run.
struct RunRequest {
    // When set, the result is written here instead of the name formed from
    // the data file.
    std::string output_override;
    // The other files the caller writes from the mesh, and the files of the
    // runs before it in one batch: none may be an output of this run.
    std::vector<std::string> other_outputs;
    std::vector<std::string> earlier_files;
    // Bin width of the distortion section, 0 (none) to 3 degrees.
    int histogram_step = 0;
    // The refinement after the documented run; none by default.
    QualityOptions quality;
};

// What build_run leaves for end_run.
struct BuiltMesh {
    std::optional<FinishedMesh> mesh;  // empty when stopped or failed
    bool written = false;              // the result file
    std::string write_failure;         // the system's reason when not written
    std::optional<Error> error;        // the failure that stopped the build
    double writing_seconds = 0;        // spent on the result file
};

// The report box's text: counts and computing time.
std::string report_text(const RunResults& results);

// Clears `results`, reads the data file and prepares the run, asks about the
// summary and notes the start time. False when no build is to follow: the
// file could not be opened (in silence), was refused (the failure shown and
// kept in results.error), or the summary was cancelled.
bool begin_run(MeshRun& run, const std::string& data_file, const RunRequest& request, RunResults& results,
               Platform& platform);

// Builds the mesh begun and writes its result file at `output_file`. The
// tables are the build's alone until it returns.
BuiltMesh build_run(MeshRun& run, const RunRequest& request, const std::string& output_file,
                    RunObserver& observer, std::stop_token stop = {});

// Shows how the build ended: its failure, or the mesh with a failed write's
// box (whose waiting is left out of the computing time), the end time and
// the report.
void end_run(const MeshRun& run, BuiltMesh built, RunResults& results, Platform& platform);

// The three steps in turn, on the caller's thread.
void run_mesh_generation(MeshRun& run, const std::string& data_file, const RunRequest& request,
                         RunResults& results, Platform& platform, RunObserver& observer,
                         std::stop_token stop = {});

}  // namespace tesu
