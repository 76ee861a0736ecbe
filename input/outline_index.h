// The edges of all figures, sorted into vertical columns, so that the inside
// test looks only at the edges that can matter for a point: those whose X
// range holds the point's X (the only ones an upward ray can meet) and those
// close enough for the on-outline tolerance.
#pragma once

#include <span>
#include <vector>

#include "engine/mesh_tables.h"
#include "input/grid_axis.h"

namespace tesu {

struct InputTables;

struct IndexedEdge {
    Point a;
    Point b;
    // X of the first vertex after B, going round the figure, whose X differs
    // from B's: decides whether the outline passes through B from one side
    // of a vertical line to the other.
    double after_b_x;
    // The edge's Y range widened by its on-outline tolerance: a point outside
    // it cannot be on the edge.
    double y_low;
    double y_high;
};

class OutlineIndex {
public:
    // Indexes the figures as they stand; the tables must not change while
    // the index is in use.
    void build(const InputTables& input);
    bool ready() const { return ready_; }

    // Every edge whose X range, widened by its on-outline tolerance, holds x,
    // in figure order (and a few more). A NaN x gets every edge.
    std::span<const int> edges_near(double x) const;
    const IndexedEdge& edge(int i) const { return edges_[static_cast<std::size_t>(i)]; }

private:
    bool ready_ = false;
    std::vector<IndexedEdge> edges_;
    GridAxis columns_;
    // Column c holds column_edges_[column_start_[c] .. column_start_[c + 1]);
    // the extra column at columns_.count holds every edge.
    std::vector<int> column_start_;
    std::vector<int> column_edges_;
};

}  // namespace tesu
