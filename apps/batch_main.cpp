// tesu-batch: the mesh generation run without a window, for scripts, tests
// and benchmarks.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>

#include "apps/batch_options.h"
#include "input/data_file.h"
#include "output/atomic_file.h"
#include "output/finished_mesh.h"
#include "output/mesh_export.h"
#include "output/outline_conformity.h"
#include "output/quality_stats.h"
#include "output/svg_picture.h"
#include "run/run_driver.h"
#include "tesu/version.h"
#include "ui/headless_platform.h"

namespace {

using namespace tesu;

// 1 for a computation stopped by a fatal error, 2 for a file refused or a
// result not written, 0 for success: the worst of all files is the status.
int status_of(const RunResults& results) {
    switch (results.outcome) {
        case RunOutcome::written:
            return 0;
        case RunOutcome::failed:
            return EXIT_STATUS_FATAL;
        case RunOutcome::cancelled:
        case RunOutcome::not_opened:
        case RunOutcome::refused:
        case RunOutcome::output_failed:
        case RunOutcome::stopped:
            return EXIT_STATUS_REFUSED;
    }
    return EXIT_STATUS_REFUSED;
}

// The status of a batch: 1 if any file stopped in the computation, else 2
// if any was refused or not written, else 0.
int worse(int a, int b) {
    if (a == EXIT_STATUS_FATAL || b == EXIT_STATUS_FATAL) return EXIT_STATUS_FATAL;
    return std::max(a, b);
}

const char* failure_of(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::not_opened:
            return "cannot open the data file";
        case RunOutcome::refused:
            return "the data file was refused";
        case RunOutcome::failed:
            return "the computation stopped";
        case RunOutcome::output_failed:
            return "cannot write the result file";
        default:
            return nullptr;
    }
}

// The console's boxes, and before the summary the lines the reader read only
// in part: a warning for each of the first few and a count of the rest on
// standard error, or with --strict the refusal of the file.
class PartialLineCheck : public Platform {
public:
    PartialLineCheck(Platform& console, const std::string& path, bool strict)
        : console_(console), path_(path), strict_(strict) {}

    Answer message_box(std::string_view caption, std::string_view text, Buttons buttons,
                       MessageKind kind) override {
        return console_.message_box(caption, text, buttons, kind);
    }

    bool accept_partial_lines(const std::vector<PartialLine>& lines) override {
        if (strict_) {
            std::fprintf(stderr, "tesu-batch: %s: %s\n", path_.c_str(), partial_line_text(lines[0]).c_str());
            std::fprintf(stderr, "tesu-batch: %s: the data file was refused (--strict)\n", path_.c_str());
            return false;
        }
        const std::size_t named = std::min(lines.size(), PARTIAL_LINES_NAMED);
        for (std::size_t i = 0; i < named; ++i)
            std::fprintf(stderr, "%s: %s\n", path_.c_str(), partial_line_text(lines[i]).c_str());
        if (lines.size() > named)
            std::fprintf(stderr, "%s: %s\n", path_.c_str(),
                         more_partial_lines_text(lines.size() - named).c_str());
        return true;
    }

private:
    Platform& console_;
    const std::string& path_;
    bool strict_;
};

// Prints the quality summary and writes the exports the options ask for;
// false when an export could not be written.
bool export_and_measure(const std::string& data_file, const BatchOptions& options, const FinishedMesh& mesh) {
    if (options.stats) {
        std::fputs(format_quality(measure_quality(mesh), data_file).c_str(), stdout);
        std::fputs("\n", stdout);
        std::fflush(stdout);
    }
    bool written = true;
    for (const std::string& path : options.export_paths) {
        for (const std::string& failed : write_mesh_export(path, mesh)) {
            std::fprintf(stderr, "tesu-batch: %s: cannot write the export\n", failed.c_str());
            written = false;
        }
    }
    return written;
}

// A mesh whose elements cut across its outlines is written all the same, as
// the documented run builds it; the user is told how to have it follow them.
// A refinement that stopped at its budget is told too.
void warn_of_outline_gaps(const std::string& data_file, const FinishedMesh& mesh) {
    const std::size_t missing = missing_outline_segments(mesh).size();
    if (mesh.refinement.budget_reached) {
        std::fprintf(stderr, "tesu-batch: %s: warning: the refinement stopped at its budget of added nodes\n",
                     data_file.c_str());
    }
    if (missing == 0) return;
    if (mesh.refinement.ran) {
        std::fprintf(stderr, "tesu-batch: %s: warning: %zu outline segments are still not element edges\n",
                     data_file.c_str(), missing);
    } else {
        std::fprintf(stderr,
                     "tesu-batch: %s: warning: %zu outline segments are not element edges; --conform adds "
                     "nodes on the outlines until they are\n",
                     data_file.c_str(), missing);
    }
}

// `earlier` holds the data files and outputs of the files before, and takes
// this one's.
int mesh_one_file(const std::string& path, const BatchOptions& options, MeshRun& run,
                  HeadlessPlatform& console, std::vector<std::string>& earlier) {
    RunRequest request;
    request.histogram_step = options.histogram_step;
    request.quality = options.quality;
    request.output_override = options.output_path;
    if (!options.svg_path.empty()) request.other_outputs.push_back(options.svg_path);
    for (const std::string& export_path : options.export_paths) {
        for (const std::string& file : export_file_paths(export_path)) request.other_outputs.push_back(file);
    }
    request.earlier_files = earlier;
    RunResults results;
    RunObserver silent;
    PartialLineCheck platform(console, path, options.strict);
    run_mesh_generation(run, path, request, results, platform, silent);
    earlier.push_back(path);
    if (!results.output_file_name.empty()) earlier.push_back(results.output_file_name);
    earlier.insert(earlier.end(), request.other_outputs.begin(), request.other_outputs.end());
    if (const char* failure = failure_of(results.outcome)) {
        std::fprintf(stderr, "tesu-batch: %s: %s\n", path.c_str(), failure);
    }
    int status = status_of(results);
    if (!results.mesh) return status;
    warn_of_outline_gaps(path, *results.mesh);
    if (results.element_count == 0) {
        // Written all the same, but a mesh without elements is no success.
        std::fprintf(stderr, "%s: 要素がありません。閉じた図形があるか確かめて下さい。\n", path.c_str());
        status = worse(status, EXIT_STATUS_REFUSED);
    }
    if (!options.svg_path.empty() && !write_svg_picture(options.svg_path, *results.mesh)) {
        std::fprintf(stderr, "tesu-batch: %s: cannot write the picture\n", options.svg_path.c_str());
        status = worse(status, EXIT_STATUS_REFUSED);
    }
    if ((options.stats || !options.export_paths.empty()) &&
        !export_and_measure(path, options, *results.mesh)) {
        status = worse(status, EXIT_STATUS_REFUSED);
    }
    return status;
}

// Ctrl+C or a kill: the files being written go with the program, their
// earlier versions stay.
void end_on_signal(int signal) {
    remove_unfinished_temporaries();
    _exit(128 + signal);
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, end_on_signal);
    std::signal(SIGTERM, end_on_signal);
    BatchOptions options;
    std::string error;
    if (!parse_batch_options(argc, argv, options, error)) {
        std::fprintf(stderr, "tesu-batch: %s\n\n%s", error.c_str(), BATCH_USAGE);
        return EXIT_STATUS_REFUSED;
    }
    if (options.help) {
        std::fputs(BATCH_USAGE, stdout);
        return 0;
    }
    if (options.version) {
        std::puts("tesu-batch " TESU_VERSION);
        return 0;
    }

    MeshRun run;
    HeadlessPlatform console(stdout, stderr);
    int status = 0;
    std::vector<std::string> earlier;
    for (const std::string& path : options.data_files) {
        status = worse(status, mesh_one_file(path, options, run, console, earlier));
    }
    return status;
}
