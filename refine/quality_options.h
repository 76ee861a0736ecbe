// What a run may add after the documented node placement: nodes on the
// outlines until every segment between consecutive outline nodes is an
// element edge, and nodes inside until no element's smallest angle is under a
// bound. A run with neither writes exactly what it always wrote.
#pragma once

namespace tesu {

// The largest angle bound accepted: Delaunay refinement is known to end for
// bounds up to about 34 degrees, not beyond.
inline constexpr double MAX_MIN_ANGLE = 34.0;

struct QualityOptions {
    // Recover every outline segment by adding nodes on it, never by forcing
    // an edge.
    bool conform = false;
    // Degrees, 0 for none; a bound also recovers the segments.
    double min_angle = 0;

    bool refines() const { return conform || min_angle > 0; }
};

// Whether `degrees` is a bound the refinement accepts: greater than 0 and at
// most MAX_MIN_ANGLE (a NaN is not).
bool valid_min_angle(double degrees);

}  // namespace tesu
