// The wanted node spacing at a point: the basic density radius, pulled down
// around the point of each density row (a local refinement), and a bucket
// grid over the refinements so that a point looks only at the few that can
// lower it.
#pragma once

#include <span>
#include <vector>

#include "input/grid_axis.h"

namespace tesu {

struct InputTables;

// A density row that can lower the spacing somewhere.
struct IndexedRefinement {
    double x;
    double y;
    double radius;
    double reach;
    // (basic density - radius) / reach: the spacing rises by this per unit
    // of distance from the refinement's point.
    double slope;
    // No point within reach gets a spacing below this from the refinement.
    double lowest;
};

class DensityIndex {
public:
    // Indexes the refinements and the basic density as they stand; the
    // tables must not change while the index is in use.
    void build(const InputTables& input);
    bool ready() const { return ready_; }

    double spacing_at(double x, double y) const;

private:
    bool ready_ = false;
    double basic_density_ = 0;
    std::vector<IndexedRefinement> refinements_;
    GridAxis across_;
    GridAxis down_;
    // Cell (row, column) holds cell_refinements_[cell_start_[i] .. cell_start_[i + 1])
    // with i = row * across_.count + column, by ascending `lowest`.
    std::vector<int> cell_start_;
    std::vector<int> cell_refinements_;
};

// The wanted node spacing at (x, y), in drawing units. Looks only at nearby
// refinements once input.density_index is built (normalise_input builds
// it), at all of them before.
double local_density(const InputTables& input, double x, double y);

}  // namespace tesu
