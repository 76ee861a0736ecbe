// The public interface of the TESU core: build a Domain (input/domain.h),
// call tesu::mesh() (run/mesh_api.h), read the FinishedMesh
// (output/finished_mesh.h). Failures throw tesu::Error (engine/error.h).
#pragma once

#include "run/mesh_api.h"
#include "tesu/version.h"
