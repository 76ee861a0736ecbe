#include "input/mesh_run.h"

#include <chrono>
#include <ctime>

#include "engine/voronoi.h"
#include "input/data_file.h"
#include "input/node_generation.h"
#include "output/result_file.h"
#include "ui/outline_drawing.h"

namespace tesu {

namespace {

inline constexpr std::string_view SUMMARY_CAPTION = "データ読み込み終了";
inline constexpr std::string_view REPORT_CAPTION = "データ出力終了";
inline constexpr std::string_view OUTPUT_ERROR_CAPTION = "データ出力エラー";

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::int32_t clock_seconds() { return static_cast<std::int32_t>(std::time(nullptr)); }

bool confirm_summary(const InputTables& input, const RunResults& results, Platform& platform) {
    const std::string text = format_message(
        "%s というファイル名で\nデータを出力します。\n\n座標データ数=%d\n基本密度半径=%.1f\n密度データ数=%d\n"
        "スパン(精度)=%.1f\n分割指定ノード数=%d",
        results.output_file_name.c_str(), input.outline_point_count, input.basic_density,
        input.density_spec_count, input.span, input.division_node_count);
    return platform.message_box(SUMMARY_CAPTION, text, Buttons::ok_cancel, MessageKind::summary) ==
           Answer::ok;
}

void show_report(const RunResults& results, const MeshTables& mesh, Platform& platform) {
    const std::string text =
        format_message("ノード数 = %d, 要素数 = %d\n輪郭線上のノード数 = %d\n\n計算時間= %ld 秒",
                       mesh.number - 3, results.element_count, results.last_contour_node - 3,
                       static_cast<long>(results.end_time - results.start_time));
    platform.message_box(REPORT_CAPTION, text, Buttons::ok, MessageKind::report);
}

// A cavity of this many vps never occurs when the placed nodes of a file
// that meshed in index order before go in that order, so such files keep
// their results; one this large means a long straight or circular run of
// outline nodes, each gathering the long thin triangles of the run before.
inline constexpr int LONG_RUN_CAVITY = 511;

// Inserts rows 4 to last_row in index order; false, leaving the diagram
// part-built, as soon as an insertion's cavity reaches LONG_RUN_CAVITY.
bool insert_in_index_order(MeshTables& mesh, int last_row, Platform& platform) {
    for (int k = 4; k <= last_row; ++k) {
        platform.plot_point(mesh.node_xy[k].x, mesh.node_xy[k].y);
        insert_node(mesh, mesh.number + 1, platform);
        ++mesh.number;
        if (mesh.cavity_count >= LONG_RUN_CAVITY) return false;
    }
    return true;
}

// Inserts rows 4 to last_row coarse to fine: every 2^L-th row along the
// outlines for the largest L first, then the rows halfway between them, and
// so on. Each node then lands between neighbours of the last pass and its
// cavity stays small, where in index order each node of a straight edge of
// n nodes deletes up to n triangles. The diagram is the same up to the
// order of cocircular ties; only the creation numbers differ.
void insert_coarse_to_fine(MeshTables& mesh, int last_row, Platform& platform) {
    const int count = last_row - 3;
    int step = 1;
    while (2 * step < count) step *= 2;
    int previous = 0;
    for (int pass_step = step; pass_step >= 1; pass_step /= 2) {
        // Rows at odd multiples of pass_step from row 4; the first pass
        // also takes row 4 itself.
        const int first = pass_step == step ? 0 : pass_step;
        for (int i = first; i < count; i += pass_step == step ? pass_step : 2 * pass_step) {
            const int k = 4 + i;
            insert_node_from(mesh, k, previous == 0 ? mesh.number : previous, platform);
            previous = k;
        }
    }
    mesh.number = last_row;
}

// Inserts the outline and division-specified nodes, rows 4 to last_row: in
// index order, unless that meets a long run of outline nodes (see above).
void insert_placed_nodes(MeshTables& mesh, int last_row, Platform& platform) {
    init_mesh(mesh);
    mesh.number = 3;
    if (insert_in_index_order(mesh, last_row, platform)) return;
    init_mesh(mesh);
    insert_coarse_to_fine(mesh, last_row, platform);
}

}  // namespace

bool form_output_name(const InputTables& input, RunResults& results) {
    const std::string& path = input.input_file_name;
    const std::size_t name_start = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
    const std::size_t dot = path.find('.', name_start);
    std::string name = path.substr(0, dot);
    name += ".TES";
    if (name.size() > PATH_CAPACITY) return false;
    results.output_file_name = std::move(name);
    return true;
}

void run_mesh_generation(MeshTables& mesh, InputTables& input, RunResults& results, Platform& platform) {
    results.mesh_ready = 0;
    results.stage_times = {};
    platform.begin_run();

    if (input.input_file_name.size() > PATH_CAPACITY) {
        platform.message_box(READ_ERROR_CAPTION, "ファイル名が長すぎます。4095バイト以内にして下さい。",
                             Buttons::ok);
        results.outcome = RunOutcome::name_too_long;
        return;
    }
    auto stage_start = Clock::now();
    const ReadResult read = read_data_file(input, platform);
    results.stage_times.reading = seconds_since(stage_start);
    if (read != ReadResult::ok) {
        results.outcome = read == ReadResult::not_opened ? RunOutcome::not_opened : RunOutcome::refused;
        return;
    }
    if (!form_output_name(input, results)) {
        platform.message_box(READ_ERROR_CAPTION, "結果ファイル名が長すぎます。4095バイト以内にして下さい。",
                             Buttons::ok);
        results.outcome = RunOutcome::name_too_long;
        return;
    }
    if (!results.output_override.empty()) results.output_file_name = results.output_override;
    if (!confirm_summary(input, results, platform)) {
        results.outcome = RunOutcome::cancelled;
        return;
    }

    results.start_time = clock_seconds();
    mesh.vp_number = 0;
    mesh.ve_number = 0;
    scan_figures(input);
    if (!check_duplicates(input, platform)) {
        results.outcome = RunOutcome::refused;
        return;
    }

    stage_start = Clock::now();
    normalise_input(input);
    draw_outlines(input, platform);
    // Both stages refuse nodes that would coincide, after saying why.
    if (!place_contour_nodes(mesh, input, results, platform)) {
        results.outcome = RunOutcome::refused;
        return;
    }
    const int last_placed = place_division_nodes(mesh, input, results, platform);
    if (last_placed < 0) {
        results.outcome = RunOutcome::refused;
        return;
    }
    results.stage_times.outline_nodes = seconds_since(stage_start);

    stage_start = Clock::now();
    insert_placed_nodes(mesh, last_placed, platform);
    results.stage_times.insertion = seconds_since(stage_start);

    stage_start = Clock::now();
    place_interior_nodes(mesh, input, platform);
    draw_outlines(input, platform);
    results.stage_times.interior_search = seconds_since(stage_start);

    stage_start = Clock::now();
    const bool written = write_result_file(mesh, input, results, platform);
    results.stage_times.writing = seconds_since(stage_start);
    if (!written) {
        platform.message_box(
            OUTPUT_ERROR_CAPTION,
            format_message("%s に結果を書き込めませんでした。", results.output_file_name.c_str()),
            Buttons::ok);
    }
    results.outcome = written ? RunOutcome::written : RunOutcome::output_failed;

    // The mesh is built and drawn even when its file could not be written.
    results.mesh_ready = 1;
    results.end_time = clock_seconds();
    show_report(results, mesh, platform);
}

}  // namespace tesu
