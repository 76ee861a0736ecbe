#include "input/outline_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "input/input_tables.h"
#include "input/inside_test.h"

namespace tesu {

namespace {

// About one edge per column keeps a column's list short on smooth outlines;
// the cap bounds the index when many edges are long.
inline constexpr int MAX_COLUMNS = 1024;

// How far, in X, a point can lie from the edge and still be found on it: the
// squared distance to an end must be below the tolerance, the distance to
// the inside of the edge below the tolerance times the edge's length. Widened
// generously, since a column too many costs only time.
double tolerance_reach(const Point& a, const Point& b) {
    const double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
    const double reach = std::max(std::sqrt(ON_OUTLINE_TOLERANCE), ON_OUTLINE_TOLERANCE * length);
    return reach * 1.001 + 1e-9 * (1 + std::max(std::fabs(a.x), std::fabs(b.x)));
}

// The X of the first vertex after row b of figure f whose X differs from
// row b's, going round the figure (the closing row stands for the first
// vertex); NaN when the whole figure stands on one vertical line.
double after_vertex_x(const InputTables& input, int f, int b) {
    const int start = figure_start(input, f);
    const int end = input.figure_end[f];
    const double vertex_x = input.outline_xy[b].x;
    int c = b >= end ? start : b;
    for (int steps = 0; steps < end - start; ++steps) {
        c = c + 1 >= end ? start : c + 1;
        if (input.outline_xy[c].x != vertex_x) return input.outline_xy[c].x;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

void OutlineIndex::build(const InputTables& input) {
    edges_.clear();
    double left = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    for (int f = 0; f < input.figure_count; ++f) {
        for (int j = figure_start(input, f); j < input.figure_end[f]; ++j) {
            const Point& a = input.outline_xy[j];
            const Point& b = input.outline_xy[j + 1];
            edges_.push_back({a, b, after_vertex_x(input, f, j + 1)});
            for (const double x : {a.x, b.x}) {
                if (!std::isfinite(x)) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    const int edge_count = static_cast<int>(edges_.size());
    columns_ = GridAxis::over(left, right, std::clamp(edge_count, 1, MAX_COLUMNS));
    const int all_edges = columns_.count;

    // Each edge's first and last column; a NaN end puts it in every column.
    std::vector<std::pair<int, int>> spans(edges_.size());
    column_start_.assign(static_cast<std::size_t>(all_edges) + 2, 0);
    for (std::size_t e = 0; e < edges_.size(); ++e) {
        const IndexedEdge& edge = edges_[e];
        const double reach = tolerance_reach(edge.a, edge.b);
        const double low = std::min(edge.a.x, edge.b.x) - reach;
        const double high = std::max(edge.a.x, edge.b.x) + reach;
        const bool unknown =
            std::isnan(edge.a.x) || std::isnan(edge.b.x) || std::isnan(low) || std::isnan(high);
        spans[e] =
            unknown ? std::pair{0, all_edges - 1} : std::pair{columns_.cell_of(low), columns_.cell_of(high)};
        for (int c = spans[e].first; c <= spans[e].second; ++c)
            ++column_start_[static_cast<std::size_t>(c) + 1];
    }
    column_start_[static_cast<std::size_t>(all_edges) + 1] = edge_count;
    for (std::size_t c = 1; c < column_start_.size(); ++c) column_start_[c] += column_start_[c - 1];

    // Filled edge by edge, so every column lists its edges in figure order.
    column_edges_.resize(static_cast<std::size_t>(column_start_.back()));
    std::vector<int> next_slot(column_start_.begin(), column_start_.end() - 1);
    const auto append = [&](int column, int e) {
        column_edges_[static_cast<std::size_t>(next_slot[static_cast<std::size_t>(column)]++)] = e;
    };
    for (int e = 0; e < edge_count; ++e) {
        const auto [first, last] = spans[static_cast<std::size_t>(e)];
        for (int c = first; c <= last; ++c) append(c, e);
        append(all_edges, e);
    }
    ready_ = true;
}

std::span<const int> OutlineIndex::edges_near(double x) const {
    const auto column = static_cast<std::size_t>(std::isnan(x) ? columns_.count : columns_.cell_of(x));
    const auto begin = static_cast<std::size_t>(column_start_[column]);
    const auto end = static_cast<std::size_t>(column_start_[column + 1]);
    return std::span<const int>(column_edges_).subspan(begin, end - begin);
}

}  // namespace tesu
