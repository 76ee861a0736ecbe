// tesu.mesh(): the build on a thread of its own while the caller, without
// the GIL, looks for Ctrl+C every few milliseconds and turns it into the
// run's stop request.
#pragma once

#include "run/mesh_api.h"

namespace tesu::python {

// Raises KeyboardInterrupt (or whatever the signal handler raised) once
// the build has stopped; tesu::Error and the other failures pass through.
FinishedMesh mesh_interruptibly(const Domain& domain, const MeshOptions& options);

}  // namespace tesu::python
