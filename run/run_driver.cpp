#include "run/run_driver.h"

#include <chrono>

#include "engine/format_message.h"
#include "engine/node_numbering.h"
#include "output/result_file.h"

namespace tesu {

namespace {

RunOutcome outcome_of(const Error& error) {
    const bool computation =
        error.cause() == ErrorCause::computation || error.cause() == ErrorCause::capacity;
    return computation ? RunOutcome::failed : RunOutcome::refused;
}

void show_failure(const Error& error, RunResults& results, Platform& platform) {
    platform.message_box(error.caption(), error.text(), Buttons::ok);
    results.error = error;
    results.outcome = outcome_of(error);
}

}  // namespace

std::string report_text(const RunResults& results) {
    const int nodes = results.mesh ? static_cast<int>(results.mesh->nodes.size()) : 0;
    return format_message("ノード数 = %d, 要素数 = %d\n輪郭線上のノード数 = %d\n\n計算時間= %ld 秒", nodes,
                          results.element_count, node_number(results.last_contour_node),
                          static_cast<long>(results.end_time - results.start_time - results.waiting_time));
}

bool begin_run(MeshRun& run, const std::string& data_file, const RunRequest& request, RunResults& results,
               Platform& platform) {
    results.mesh.reset();
    results.error.reset();
    results.waiting_time = 0;
    RunSummary summary;
    try {
        if (!run.read(data_file)) {
            results.outcome = RunOutcome::not_opened;
            return false;
        }
        summary = run.prepare(request.output_override, request.other_outputs, request.earlier_files);
    } catch (const Error& error) {
        show_failure(error, results, platform);
        return false;
    }
    results.output_file_name = summary.output_file_name;
    const std::vector<PartialLine>& partial = run.input().partial_lines;
    if ((!partial.empty() && !platform.accept_partial_lines(partial)) ||
        platform.message_box(SUMMARY_CAPTION, summary_text(summary), Buttons::ok_cancel,
                             MessageKind::summary) != Answer::ok) {
        results.outcome = RunOutcome::cancelled;
        return false;
    }
    results.start_time = platform.clock_seconds();
    return true;
}

BuiltMesh build_run(MeshRun& run, const RunRequest& request, const std::string& output_file,
                    RunObserver& observer, std::stop_token stop) {
    BuiltMesh built;
    try {
        built.mesh = run.build(observer, stop, request.quality);
    } catch (const Error& error) {
        built.error = error;
        return built;
    }
    if (!built.mesh) return built;
    observer.stage(RunStage::writing, static_cast<int>(built.mesh->nodes.size()));
    const auto write_start = std::chrono::steady_clock::now();
    built.written = write_result_file(*built.mesh, output_file, request.histogram_step, &built.write_failure);
    built.writing_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - write_start).count();
    return built;
}

void end_run(const MeshRun& run, BuiltMesh built, RunResults& results, Platform& platform) {
    if (built.error) return show_failure(*built.error, results, platform);
    results.stage_times = run.stage_times();
    results.stage_times.writing += built.writing_seconds;
    if (!built.mesh) {
        results.outcome = RunOutcome::stopped;
        return;
    }
    results.mesh = std::move(built.mesh);
    results.last_contour_node = run.last_contour_node();
    results.element_count = static_cast<int>(results.mesh->elements.size());
    if (!built.written) {
        const std::int32_t shown = platform.clock_seconds();
        platform.message_box(OUTPUT_ERROR_CAPTION,
                             output_failure_text(results.output_file_name, built.write_failure), Buttons::ok);
        results.waiting_time += platform.clock_seconds() - shown;
    }
    results.outcome = built.written ? RunOutcome::written : RunOutcome::output_failed;
    results.end_time = platform.clock_seconds();
    platform.mesh_ready(results);
    platform.message_box(REPORT_CAPTION, report_text(results), Buttons::ok, MessageKind::report);
}

void run_mesh_generation(MeshRun& run, const std::string& data_file, const RunRequest& request,
                         RunResults& results, Platform& platform, RunObserver& observer,
                         std::stop_token stop) {
    observer.run_started();
    if (!begin_run(run, data_file, request, results, platform)) return;
    end_run(run, build_run(run, request, results.output_file_name, observer, stop), results, platform);
}

}  // namespace tesu
