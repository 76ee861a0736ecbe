// What a coordinate data file describes, as a value built in code: the
// figures' outlines, the spacing, the refinements, the span and the
// division-specified points, all in the units of the caller.
#pragma once

#include <vector>

#include "engine/point.h"

namespace tesu {

// The spacing wanted at (x, y) is `radius`, growing linearly back to the
// basic spacing at the distance `reach`.
struct Refinement {
    double x = 0;
    double y = 0;
    double radius = 0;
    double reach = 0;
};

struct Domain {
    // Each figure's vertices in order, closed by its first vertex again. A
    // figure inside another is a hole in it (even-odd rule).
    std::vector<std::vector<Point>> outlines;
    // The basic node spacing, wherever no refinement asks for less.
    double spacing = 0;
    std::vector<Refinement> refinements;
    // How much finer than the spacing the lattice of the interior search
    // runs (2 is a good start).
    double span = 0;
    // Points that become nodes as they stand.
    std::vector<Point> division_points;
    // Outline points of a data file after its last closed figure: they
    // shape no figure but count for the extent the run scales by. A domain
    // built in code leaves them out.
    std::vector<Point> loose_points;
};

struct InputTables;

// Fills the input tables from `domain` as the reader fills them from a data
// file of the same contents, refusing (tesu::Error, cause read) what the
// reader would refuse, with the same caption and text but no line; and an
// outline that is empty or does not end on its first point.
void load_domain(const Domain& domain, InputTables& input);

// The domain of input tables as the reader has filled them.
Domain domain_of(const InputTables& input);

}  // namespace tesu
