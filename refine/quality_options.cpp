#include "refine/quality_options.h"

namespace tesu {

bool valid_min_angle(double degrees) { return degrees > 0 && degrees <= MAX_MIN_ANGLE; }

}  // namespace tesu
