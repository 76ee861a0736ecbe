// One mesh generation run, in phases: read the data file, prepare (the
// result file's name and the values of the summary, on which the caller
// decides OK or Cancel), build the mesh (telling an observer what it draws,
// stopping on request), and the finished mesh that every writer reads.
// run_mesh_generation strings the phases together with the messages of the
// run, as both programs show them.
//
// Failures throw tesu::Error. After one, the tables hold whatever the
// failed phase left (a part-built diagram, a part-read file): only a new
// run may use them, and it starts from the top.
#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "engine/error.h"
#include "engine/mesh_tables.h"
#include "engine/voronoi.h"
#include "input/domain.h"
#include "input/input_tables.h"
#include "output/finished_mesh.h"
#include "refine/quality_options.h"
#include "run/run_messages.h"
#include "run/run_observer.h"

namespace tesu {

inline constexpr std::string_view SUMMARY_CAPTION = "データ読み込み終了";
inline constexpr std::string_view REPORT_CAPTION = "データ出力終了";
inline constexpr std::string_view OUTPUT_ERROR_CAPTION = "データ出力エラー";

// Wall-clock seconds spent in each stage of the last run, for benchmarks.
struct StageTimes {
    double reading = 0;
    double outline_nodes = 0;
    double insertion = 0;
    double interior_search = 0;
    double refinement = 0;
    double writing = 0;
};

// What the summary box shows before the mesh is built.
struct RunSummary {
    std::string output_file_name;
    int outline_point_count = 0;
    double basic_density = 0;
    int density_spec_count = 0;
    double span = 0;
    int division_node_count = 0;
};

std::string summary_text(const RunSummary& summary);

// "%s に結果を書き込めませんでした。" for the result file at `path`, and the
// system's reason on a second line when there is one.
std::string output_failure_text(const std::string& path, const std::string& reason = {});

// Sets `name`: the data file's path cut at the first '.' of the file's own
// name (never in a folder name), then ".TES". False when the result would
// exceed the longest path Linux accepts.
bool form_output_name(const std::string& data_file, std::string& name);

class MeshRun {
public:
    // The tables are reserved once and kept for every run; memory is
    // committed only as rows fill.
    MeshRun();
    // A run over tables filled elsewhere, as a finished run leaves them.
    MeshRun(std::unique_ptr<MeshTables> mesh, std::unique_ptr<InputTables> input);

    // Reads the data file at `path`; false when it is no regular file or
    // cannot be opened, which the run passes over in silence.
    bool read(const std::string& path);
    // Reads the data file's bytes from a stream; `name` stands for its path.
    void read(std::istream& data, const std::string& name);
    // Takes a domain built in code in place of a data file, refusing
    // (throwing) what the reader would refuse; `name` stands for the path of
    // a data file, for prepare().
    void load(const Domain& domain, const std::string& name = {});

    // The result file's name (`output_override` when given) and the summary.
    // Refuses (throws) a run whose result file or `other_outputs` is its data
    // file, one of `earlier_files` or another of its outputs.
    RunSummary prepare(const std::string& output_override = {},
                       const std::vector<std::string>& other_outputs = {},
                       const std::vector<std::string>& earlier_files = {});

    // Builds the mesh, then refines it as `quality` asks. Empty when `stop`
    // was requested before the end. Another build without a new read starts
    // again from the tables as read.
    std::optional<FinishedMesh> build(RunObserver& observer, std::stop_token stop = {},
                                      const QualityOptions& quality = {});

    const MeshTables& tables() const { return *mesh_; }
    const InputTables& input() const { return *input_; }
    InputTables& input() { return *input_; }
    const std::string& output_file_name() const { return output_file_name_; }
    int last_contour_node() const { return last_contour_node_; }
    const StageTimes& stage_times() const { return stage_times_; }

private:
    std::unique_ptr<MeshTables> mesh_;
    // Fills mesh_, kept with it so that its lists and caches serve every run.
    VoronoiBuilder builder_{*mesh_};
    std::unique_ptr<InputTables> input_;
    // The input tables as read, before the build converted them in place;
    // kept by the first build after a read.
    std::unique_ptr<InputTables> input_as_read_;
    std::string output_file_name_;
    int last_contour_node_ = 3;
    StageTimes stage_times_;
};

enum class RunOutcome {
    written,        // the mesh was built and its result file written
    not_opened,     // the data file could not be opened
    refused,        // the reader or a check refused the data file
    cancelled,      // the user cancelled the summary
    output_failed,  // the mesh was built but its result file not written
    stopped,        // a stop was requested while the mesh was built
    failed,         // the computation stopped with an error
};

// What the run leaves for the report, the details box and the repaint.
struct RunResults {
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

    std::string output_file_name;
    // 1 once the last run has built its mesh; gates repaint, zoom, details.
    int mesh_ready = 0;
    std::int32_t start_time = 0;
    std::int32_t end_time = 0;
    // Seconds spent waiting for the user in message boxes after start_time,
    // left out of the computing time.
    std::int32_t waiting_time = 0;
    int element_count = 0;
    // Nodes 4 to last_contour_node are the nodes on the outlines.
    int last_contour_node = 3;
    std::optional<FinishedMesh> mesh;

    RunOutcome outcome = RunOutcome::not_opened;
    // The failure of an outcome `refused` or `failed`.
    std::optional<Error> error;
    StageTimes stage_times;
};

// The report box's text: counts and computing time.
std::string report_text(const RunResults& results);

// The whole run on `data_file`, as a program without a thread of its own for
// the build runs it: the summary asked through `platform`, every refusal
// and failure shown there and kept in results.error (the caller ends the
// program on one that asks for it), the result file written, the report
// shown.
void run_mesh_generation(MeshRun& run, const std::string& data_file, RunResults& results, Platform& platform,
                         RunObserver& observer, std::stop_token stop = {});

}  // namespace tesu
