#include "input/outline_index.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "input/input_tables.h"
#include "input/inside_test.h"

namespace tesu {

namespace {

// About one edge per column keeps a column's list short on smooth outlines.
inline constexpr int MAX_COLUMNS = 1 << 17;
// Long edges lie in many columns: the columns are halved until the edges'
// column lists hold at most this many entries in all (or eight per edge, if
// more), which bounds the index whatever the edges.
inline constexpr std::size_t MIN_ENTRY_BUDGET = std::size_t{1} << 20;

// How far, in X, a point can lie from the edge and still be found on it: the
// squared distance to an end must be below the tolerance, the distance to
// the inside of the edge below the tolerance times the edge's length. Widened
// generously, since a column too many costs only time.
// The same holds for Y. `a_coordinate` and `b_coordinate` are the ends'
// coordinates along the axis, whose size sets the rounding to allow for.
double tolerance_reach(const Point& a, const Point& b, double a_coordinate, double b_coordinate) {
    const double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
    const double reach = std::max(std::sqrt(ON_OUTLINE_TOLERANCE), ON_OUTLINE_TOLERANCE * length);
    return reach * 1.001 + 1e-9 * (1 + std::max(std::fabs(a_coordinate), std::fabs(b_coordinate)));
}

// The range between coordinates `a` and `b` widened by `reach`; all of the
// axis when any of them is not a number.
std::pair<double, double> widened(double a, double b, double reach) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const double from = std::min(a, b) - reach;
    const double to = std::max(a, b) + reach;
    if (std::isnan(a) || std::isnan(b) || std::isnan(from) || std::isnan(to)) return {-infinity, infinity};
    return {from, to};
}

// For rows start to end of a figure (end its closing row), the X of the
// first vertex after the row whose X differs from the row's, going round the
// figure (the closing row stands for the first vertex); NaN when the whole
// figure stands on one vertical line. A vertex followed by one of the same X
// has that one's answer, so one pass backwards round the figure, from a
// vertex whose next X differs, finds them all.
void after_vertex_xs(const InputTables& input, int start, int end, std::vector<double>& after) {
    const int m = end - start;
    const auto x = [&](int i) { return input.outline_xy[start + i].x; };
    after.assign(static_cast<std::size_t>(m) + 1, std::numeric_limits<double>::quiet_NaN());
    const auto at = [&after](int i) -> double& { return after[static_cast<std::size_t>(i)]; };
    int turn = 0;
    while (turn < m && x((turn + 1) % m) == x(turn)) ++turn;
    if (turn < m) {
        for (int k = 0; k < m; ++k) {
            const int i = (turn - k + m) % m;
            const int next = (i + 1) % m;
            at(i) = x(next) != x(i) ? x(next) : at(next);
        }
    }
    const int next = 1 % m;
    at(m) = x(next) != input.outline_xy[end].x ? x(next) : at(next);
}

}  // namespace

void OutlineIndex::build(const InputTables& input) {
    edges_.clear();
    double left = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    std::vector<double> after;
    for (int f = 0; f < input.figure_count; ++f) {
        const int start = figure_start(input, f);
        const int end = input.figure_end[f];
        if (end <= start) continue;
        after_vertex_xs(input, start, end, after);
        for (int j = start; j < end; ++j) {
            const Point& a = input.outline_xy[j];
            const Point& b = input.outline_xy[j + 1];
            const auto [y_low, y_high] = widened(a.y, b.y, tolerance_reach(a, b, a.y, b.y));
            edges_.push_back({a, b, after[static_cast<std::size_t>(j + 1 - start)], y_low, y_high});
            for (const double x : {a.x, b.x}) {
                if (!std::isfinite(x)) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    const int edge_count = static_cast<int>(edges_.size());

    // Each edge's X range, widened by its tolerance; all of X when not known.
    std::vector<std::pair<double, double>> ranges(edges_.size());
    for (std::size_t e = 0; e < edges_.size(); ++e) {
        const IndexedEdge& edge = edges_[e];
        ranges[e] = widened(edge.a.x, edge.b.x, tolerance_reach(edge.a, edge.b, edge.a.x, edge.b.x));
    }
    // Each edge's first and last column.
    std::vector<std::pair<int, int>> spans(edges_.size());
    const auto place_edges = [&](int wanted) {
        columns_ = GridAxis::over(left, right, wanted);
        std::size_t entries = 0;
        for (std::size_t e = 0; e < edges_.size(); ++e) {
            spans[e] = {columns_.cell_of(ranges[e].first), columns_.cell_of(ranges[e].second)};
            entries += static_cast<std::size_t>(spans[e].second - spans[e].first + 1);
        }
        return entries;
    };
    const std::size_t budget = std::max(MIN_ENTRY_BUDGET, 8 * edges_.size());
    int wanted = std::clamp(edge_count, 1, MAX_COLUMNS);
    while (place_edges(wanted) > budget && wanted > 1) wanted /= 2;
    const int all_edges = columns_.count;

    column_start_.assign(static_cast<std::size_t>(all_edges) + 2, 0);
    for (const auto& [first, last] : spans) {
        for (int c = first; c <= last; ++c) ++column_start_[static_cast<std::size_t>(c) + 1];
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
