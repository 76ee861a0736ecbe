// One mesh generation run, in phases: read the data file, prepare (the
// result file's name and the values of the summary, on which the caller
// decides OK or Cancel), build the mesh (telling an observer what it draws,
// stopping on request), and the finished mesh that every writer reads.
// run/run_driver.h strings the phases together with the messages of the run,
// as both programs show them.
//
// Failures throw tesu::Error. After one, the tables hold whatever the
// failed phase left (a part-built diagram, a part-read file): only a new
// run may use them, and it starts from the top.
#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "engine/error.h"
#include "engine/mesh_tables.h"
#include "engine/voronoi.h"
#include "input/domain.h"
#include "input/input_tables.h"
#include "output/finished_mesh.h"
#include "refine/quality_options.h"
#include "run/run_observer.h"

namespace tesu {

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

}  // namespace tesu
