#include "run/mesh_api.h"

#include <stdexcept>
#include <utility>

#include "input/data_file.h"
#include "input/input_tables.h"
#include "run/mesh_run.h"

namespace tesu {

FinishedMesh mesh(const Domain& domain, const MeshOptions& options, RunObserver& observer,
                  std::stop_token stop) {
    const double min_angle = options.quality.min_angle;
    if (min_angle != 0 && !valid_min_angle(min_angle)) {
        throw std::invalid_argument("min_angle takes degrees greater than 0 and at most 34, or 0 for none");
    }
    MeshRun run;
    run.load(domain);
    std::optional<FinishedMesh> finished = run.build(observer, stop, options.quality);
    if (!finished) throw Stopped();
    return std::move(*finished);
}

std::optional<Domain> read_domain(const std::string& path) {
    InputTables input;
    input.input_file_name = path;
    if (!read_data_file(input)) return std::nullopt;
    return domain_of(input);
}

}  // namespace tesu
