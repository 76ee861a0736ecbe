// The core as one call: a domain in, the finished mesh out. Each call builds
// on tables of its own, so calls may run at once on any threads.
#pragma once

#include <exception>
#include <optional>
#include <stop_token>
#include <string>

#include "engine/error.h"
#include "input/domain.h"
#include "output/finished_mesh.h"
#include "refine/quality_options.h"
#include "run/run_observer.h"

namespace tesu {

struct MeshOptions {
    // What the run adds after the documented node placement; nothing by
    // default, which gives the mesh tesu-batch writes.
    QualityOptions quality;
};

// Draws nothing. It holds no state, so every thread may share it.
inline RunObserver quiet;

// Thrown by mesh() when a stop was requested before the mesh was finished.
class Stopped : public std::exception {
public:
    const char* what() const noexcept override { return "the mesh run was stopped"; }
};

// Meshes `domain` as tesu-batch meshes a data file of the same contents,
// telling `observer` what it draws (on the calling thread). Throws
// tesu::Error for a refused domain (cause read) or a computation that
// cannot go on (cause computation or capacity), std::invalid_argument for
// an angle bound valid_min_angle() refuses, and Stopped once `stop` is
// requested.
FinishedMesh mesh(const Domain& domain, const MeshOptions& options = {}, RunObserver& observer = quiet,
                  std::stop_token stop = {});

// The domain a data file describes; empty when the file is no regular file
// or cannot be opened. Throws tesu::Error for a refused file, naming the
// line on the text's second line.
std::optional<Domain> read_domain(const std::string& path);

}  // namespace tesu
