#include "run/mesh_run.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "engine/error.h"
#include "engine/format_message.h"
#include "engine/node_numbering.h"
#include "engine/voronoi.h"
#include "input/data_file.h"
#include "input/domain.h"
#include "input/node_bound.h"
#include "input/node_generation.h"
#include "output/file_identity.h"
#include "refine/quality_refinement.h"

namespace tesu {

namespace {

inline constexpr std::string_view DATA_NAME_TOO_LONG = "ファイル名が長すぎます。4095バイト以内にして下さい。";
inline constexpr std::string_view RESULT_NAME_TOO_LONG =
    "結果ファイル名が長すぎます。4095バイト以内にして下さい。";
// The observer hears of this many nodes at once.
inline constexpr std::size_t NODE_BATCH = 4096;

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

Error read_error(std::string_view text) {
    return Error(ErrorCause::read, READ_ERROR_CAPTION, std::string(text));
}

// Every edge of every figure; a figure's points end with its closing point.
void draw_outlines(const InputTables& input, RunObserver& observer) {
    std::vector<Segment> edges;
    for (int f = 0; f < input.figure_count; ++f) {
        for (int j = figure_start(input, f); j < input.figure_end[f]; ++j) {
            edges.push_back({input.outline_xy[j], input.outline_xy[j + 1]});
        }
    }
    observer.outlines(edges);
}

// Node rows first to last, in batches.
void draw_nodes(const MeshTables& mesh, int first, int last, RunObserver& observer) {
    for (int k = first; k <= last; k += static_cast<int>(NODE_BATCH)) {
        const auto count = std::min(NODE_BATCH, static_cast<std::size_t>(last - k + 1));
        observer.nodes(std::span(&mesh.node_xy[k], count));
    }
}

// The edges of every element, in drawing units, in batches.
void draw_elements(const MeshTables& mesh, const FinishedMesh& finished, RunObserver& observer) {
    std::vector<Segment> batch;
    const auto at = [&mesh](int n) { return mesh.node_xy[node_row(n)]; };
    for (const auto& [p, q, r] : finished.elements) {
        batch.push_back({at(p), at(q)});
        batch.push_back({at(q), at(r)});
        batch.push_back({at(r), at(p)});
        if (batch.size() >= 3 * NODE_BATCH) {
            observer.elements(batch);
            batch.clear();
        }
    }
    if (!batch.empty()) observer.elements(batch);
}

// A cavity of this many vps never occurs when the placed nodes of a file
// that meshed in index order before go in that order, so such files keep
// their results; one this large means a long straight or circular run of
// outline nodes, each gathering the long thin triangles of the run before.
inline constexpr int LONG_RUN_CAVITY = 511;

// Inserts rows 4 to last_row in index order; false, leaving the diagram
// part-built, as soon as an insertion's cavity reaches LONG_RUN_CAVITY or a
// stop is requested.
bool insert_in_index_order(VoronoiBuilder& builder, int last_row, const std::stop_token& stop) {
    MeshTables& mesh = builder.mesh();
    for (int k = FIRST_NODE_ROW; k <= last_row; ++k) {
        builder.insert_node(mesh.number + 1);
        ++mesh.number;
        if (builder.work().cavity_count >= LONG_RUN_CAVITY) return false;
        if (k % 1024 == 0 && stop.stop_requested()) return false;
    }
    return true;
}

// Inserts rows 4 to last_row coarse to fine: every 2^L-th row along the
// outlines for the largest L first, then the rows halfway between them, and
// so on. Each node then lands between neighbours of the last pass and its
// cavity stays small, where in index order each node of a straight edge of
// n nodes deletes up to n triangles. The diagram is the same up to the
// order of cocircular ties; only the creation numbers differ.
void insert_coarse_to_fine(VoronoiBuilder& builder, int last_row, const std::stop_token& stop) {
    MeshTables& mesh = builder.mesh();
    const int count = node_number(last_row);
    int step = 1;
    while (2 * step < count) step *= 2;
    int previous = 0;
    for (int pass_step = step; pass_step >= 1; pass_step /= 2) {
        if (stop.stop_requested()) return;
        // Rows at odd multiples of pass_step from row 4; the first pass
        // also takes row 4 itself.
        const int first = pass_step == step ? 0 : pass_step;
        for (int i = first; i < count; i += pass_step == step ? pass_step : 2 * pass_step) {
            const int k = FIRST_NODE_ROW + i;
            builder.insert_node_from(k, previous == 0 ? mesh.number : previous);
            previous = k;
        }
    }
    mesh.number = last_row;
}

// Inserts the outline and division-specified nodes, rows 4 to last_row: in
// index order, unless that meets a long run of outline nodes (see above).
void insert_placed_nodes(VoronoiBuilder& builder, int last_row, const std::stop_token& stop) {
    builder.start_diagram();
    if (insert_in_index_order(builder, last_row, stop) || stop.stop_requested()) return;
    builder.start_diagram();
    insert_coarse_to_fine(builder, last_row, stop);
}

}  // namespace

std::string summary_text(const RunSummary& summary) {
    return format_message(
        "%s というファイル名で\nデータを出力します。\n\n座標データ数=%d\n基本密度半径=%.1f\n密度データ数=%d\n"
        "スパン(精度)=%.1f\n分割指定ノード数=%d",
        summary.output_file_name.c_str(), summary.outline_point_count, summary.basic_density,
        summary.density_spec_count, summary.span, summary.division_node_count);
}

std::string output_failure_text(const std::string& path, const std::string& reason) {
    std::string text = format_message("%s に結果を書き込めませんでした。", path.c_str());
    if (!reason.empty()) text += "\n(" + reason + ")";
    return text;
}

bool form_output_name(const std::string& data_file, std::string& name) {
    // The file's own name up to its first dot: "sq_0.1.DAT" gives "sq_0".
    const std::size_t name_start =
        data_file.size() - std::filesystem::path(data_file).filename().native().size();
    std::string result = data_file.substr(0, data_file.find('.', name_start)) + ".TES";
    if (result.size() > PATH_CAPACITY) return false;
    name = std::move(result);
    return true;
}

// The tables widen to what each domain can need once it is known (see
// build()); until then they hold a small mesh.
inline constexpr int FIRST_NODE_ROWS = 1024;

MeshRun::MeshRun()
    : mesh_(std::make_unique<MeshTables>(FIRST_NODE_ROWS)), input_(std::make_unique<InputTables>()) {}

MeshRun::MeshRun(std::unique_ptr<MeshTables> mesh, std::unique_ptr<InputTables> input)
    : mesh_(std::move(mesh)), input_(std::move(input)) {}

bool MeshRun::read(const std::string& path) {
    if (path.size() > PATH_CAPACITY) throw read_error(DATA_NAME_TOO_LONG);
    const auto start = Clock::now();
    input_->input_file_name = path;
    const bool opened = read_data_file(*input_);
    input_as_read_.reset();
    stage_times_ = {};
    stage_times_.reading = seconds_since(start);
    return opened;
}

void MeshRun::read(std::istream& data, const std::string& name) {
    input_->input_file_name = name;
    stage_times_ = {};
    input_as_read_.reset();
    read_data(*input_, data);
}

void MeshRun::load(const Domain& domain, const std::string& name) {
    input_->input_file_name = name;
    stage_times_ = {};
    input_as_read_.reset();
    load_domain(domain, *input_);
}

RunSummary MeshRun::prepare(const std::string& output_override, const std::vector<std::string>& other_outputs,
                            const std::vector<std::string>& earlier_files) {
    if (!form_output_name(input_->input_file_name, output_file_name_)) throw read_error(RESULT_NAME_TOO_LONG);
    if (!output_override.empty()) output_file_name_ = output_override;
    // Each output against the files it must not be: the data file, the
    // earlier ones, the outputs before it.
    std::vector<FileIdentity> taken{identify_file(input_->input_file_name)};
    for (const std::string& file : earlier_files) taken.push_back(identify_file(file));
    std::vector<std::string> outputs{output_file_name_};
    outputs.insert(outputs.end(), other_outputs.begin(), other_outputs.end());
    for (const std::string& output : outputs) {
        const FileIdentity identity = identify_file(output);
        if (std::ranges::find(taken, identity) != taken.end()) {
            throw Error(ErrorCause::output, OUTPUT_ERROR_CAPTION,
                        format_message("%s はデータファイルと同じファイルです。別の名前を指定して下さい。",
                                       output.c_str()));
        }
        taken.push_back(identity);
    }
    return {output_file_name_, input_->outline_point_count, input_->basic_density, input_->density_spec_count,
            input_->span,      input_->division_node_count};
}

std::optional<FinishedMesh> MeshRun::build(RunObserver& observer, std::stop_token stop,
                                           const QualityOptions& quality) {
    if (input_as_read_) {
        *input_ = *input_as_read_;
    } else {
        input_as_read_ = std::make_unique<InputTables>(*input_);
    }
    MeshTables& mesh = *mesh_;
    InputTables& input = *input_;
    mesh.vp_number = 0;
    mesh.ve_number = 0;
    scan_figures(input);
    check_duplicates(input);

    auto stage_start = Clock::now();
    observer.stage(RunStage::outline_nodes, 0);
    normalise_input(input);
    // The tables hold what the domain can need, the stages never write
    // beyond it; the refinement widens them as it adds nodes, up to the node
    // limit.
    const int node_limit = std::min(NODE_LIMIT, highest_node_row(input, NODE_LIMIT) + 1);
    mesh.reserve(node_limit + 2);
    draw_outlines(input, observer);
    last_contour_node_ = place_contour_nodes(mesh, input, node_limit);
    draw_nodes(mesh, FIRST_NODE_ROW, last_contour_node_, observer);
    const int last_placed = place_division_nodes(mesh, input, last_contour_node_, node_limit);
    draw_nodes(mesh, last_contour_node_ + 1, last_placed, observer);
    stage_times_.outline_nodes = seconds_since(stage_start);

    stage_start = Clock::now();
    observer.stage(RunStage::insertion, node_number(last_placed));
    insert_placed_nodes(builder_, last_placed, stop);
    stage_times_.insertion = seconds_since(stage_start);
    if (stop.stop_requested()) return std::nullopt;

    stage_start = Clock::now();
    observer.stage(RunStage::interior_search, node_number(mesh.number));
    int drawn = mesh.number;
    const auto progress = [&] {
        draw_nodes(mesh, drawn + 1, mesh.number, observer);
        drawn = mesh.number;
        observer.stage(RunStage::interior_search, node_number(mesh.number));
        return stop.stop_requested();
    };
    if (!place_interior_nodes(builder_, input, progress, node_limit)) return std::nullopt;
    draw_nodes(mesh, drawn + 1, mesh.number, observer);
    draw_outlines(input, observer);
    stage_times_.interior_search = seconds_since(stage_start);

    RefinementSummary refinement;
    if (quality.refines()) {
        stage_start = Clock::now();
        observer.stage(RunStage::refinement, node_number(mesh.number));
        const auto refine_progress = [&] {
            draw_nodes(mesh, drawn + 1, mesh.number, observer);
            drawn = mesh.number;
            observer.stage(RunStage::refinement, node_number(mesh.number));
            return stop.stop_requested();
        };
        const RefinementOutcome outcome =
            refine_mesh(builder_, input, last_contour_node_, last_placed, quality, refine_progress);
        if (outcome.stopped) return std::nullopt;
        refinement = outcome.summary;
        stage_times_.refinement = seconds_since(stage_start);
    }

    stage_start = Clock::now();
    observer.stage(RunStage::writing, node_number(mesh.number));
    FinishedMesh finished = collect_finished_mesh(mesh, input, last_contour_node_);
    finished.refinement = refinement;
    draw_elements(mesh, finished, observer);
    stage_times_.writing = seconds_since(stage_start);
    return finished;
}

}  // namespace tesu
