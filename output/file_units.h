// Drawing units back to the units of the coordinate data file (y upward).
#pragma once

#include "engine/mesh_tables.h"
#include "input/input_tables.h"

namespace tesu {

// Inverse of the normalisation, division first.
inline Point to_file_units(const InputTables& input, const Point& drawing) {
    return {drawing.x / input.data_scale + input.data_min_x,
            (DRAWING_SIDE - drawing.y) / input.data_scale + input.data_min_y};
}

}  // namespace tesu
