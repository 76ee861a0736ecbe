// tesu-batch: the mesh generation run without a window, for scripts, tests
// and benchmarks.
#include <cstdio>
#include <memory>

#include "apps/batch_options.h"
#include "input/mesh_run.h"
#include "output/exported_mesh.h"
#include "output/mesh_export.h"
#include "output/quality_stats.h"
#include "output/svg_picture.h"
#include "ui/headless_platform.h"

namespace {

using namespace tesu;

int status_of(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::written:
            return 0;
        case RunOutcome::cancelled:
        case RunOutcome::not_opened:
        case RunOutcome::refused:
        case RunOutcome::output_failed:
        case RunOutcome::name_too_long:
            return EXIT_STATUS_REFUSED;
    }
    return EXIT_STATUS_REFUSED;
}

// Prints the quality summary and writes the exports the options ask for;
// false when an export could not be written.
bool export_and_measure(const std::string& data_file, const BatchOptions& options, const ExportedMesh& mesh) {
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

int mesh_one_file(const std::string& path, const BatchOptions& options, MeshTables& mesh, InputTables& input,
                  HeadlessPlatform& platform) {
    input.input_file_name = path;
    RunResults results;
    results.histogram_step = options.histogram_step;
    results.output_override = options.output_path;
    run_mesh_generation(mesh, input, results, platform);

    if (results.outcome == RunOutcome::not_opened) {
        std::fprintf(stderr, "tesu-batch: %s: cannot open the data file\n", path.c_str());
    }
    int status = status_of(results.outcome);
    if (results.mesh_ready && !options.svg_path.empty() &&
        !write_svg_picture(options.svg_path, mesh, input)) {
        std::fprintf(stderr, "tesu-batch: %s: cannot write the picture\n", options.svg_path.c_str());
        status = EXIT_STATUS_REFUSED;
    }
    if (results.mesh_ready && (options.stats || !options.export_paths.empty()) &&
        !export_and_measure(path, options, collect_exported_mesh(mesh, input, results.last_contour_node))) {
        status = EXIT_STATUS_REFUSED;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
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

    // The tables are reserved once; memory is committed only as rows fill.
    auto mesh = std::make_unique<MeshTables>();
    auto input = std::make_unique<InputTables>();
    HeadlessPlatform platform(stdout, stderr);

    int worst = 0;
    for (const std::string& path : options.data_files) {
        const int status = mesh_one_file(path, options, *mesh, *input, platform);
        if (status > worst) worst = status;
    }
    return worst;
}
