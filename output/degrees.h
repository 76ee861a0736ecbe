// Angles are reported in degrees: the histogram, the quality summary, the
// sharp corners.
#pragma once

namespace tesu {

inline constexpr double DEGREES_PER_RADIAN = 57.29577951308232;

}  // namespace tesu
