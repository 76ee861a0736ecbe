#include "output/figure_holes.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "input/inside_test.h"

namespace tesu {

namespace {

struct Edge {
    Point a;
    Point b;
    int figure;
};

std::vector<Edge> outline_edges(const InputTables& input) {
    std::vector<Edge> edges;
    for (int f = 0; f < input.figure_count; ++f) {
        for (int j = figure_start(input, f); j < input.figure_end[f]; ++j) {
            edges.push_back({input.outline_xy[j], input.outline_xy[j + 1], f});
        }
    }
    return edges;
}

// Half-open in Y, so that a vertex on the line counts once for the two edges
// that meet there, and horizontal edges never cross.
bool crosses(const Edge& e, double y) { return (e.a.y > y) != (e.b.y > y); }

double crossing_x(const Edge& e, double y) { return e.a.x + (y - e.a.y) * (e.b.x - e.a.x) / (e.b.y - e.a.y); }

struct Candidate {
    Point point;
    double width;
};

// Along the horizontal line through the middle of edge `own`, the stretch
// that runs from that edge into its figure up to the next outline; its middle
// is the candidate, its length how safely the candidate stays clear of the
// outlines.
std::optional<Candidate> candidate_beside(const std::vector<Edge>& edges, std::size_t own) {
    const Edge& edge = edges[own];
    const double y = (edge.a.y + edge.b.y) / 2;
    if (!crosses(edge, y)) return std::nullopt;
    const double x0 = crossing_x(edge, y);
    double left = -std::numeric_limits<double>::infinity();
    double right = std::numeric_limits<double>::infinity();
    int own_crossings_left = 0;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        if (i == own || !crosses(edges[i], y)) continue;
        const double x = crossing_x(edges[i], y);
        if (x == x0) return std::nullopt;  // outlines meet here: no room
        if (x < x0) {
            if (x > left) left = x;
            if (edges[i].figure == edge.figure) ++own_crossings_left;
        } else if (x < right) {
            right = x;
        }
    }
    // Past an odd number of its own crossings the figure lies to the left.
    const double far = own_crossings_left % 2 == 1 ? left : right;
    if (!std::isfinite(far)) return std::nullopt;
    return Candidate{{(x0 + far) / 2, y}, std::fabs(far - x0)};
}

}  // namespace

std::vector<FigureInterior> classify_figures(const InputTables& input) {
    const std::vector<Edge> edges = outline_edges(input);
    std::vector<FigureInterior> figures(static_cast<std::size_t>(input.figure_count));
    for (std::size_t f = 0; f < figures.size(); ++f) {
        std::optional<Candidate> best;
        for (std::size_t e = 0; e < edges.size(); ++e) {
            if (edges[e].figure != static_cast<int>(f)) continue;
            const std::optional<Candidate> candidate = candidate_beside(edges, e);
            if (candidate && (!best || candidate->width > best->width)) best = candidate;
        }
        if (!best) continue;
        figures[f].inner_point = best->point;
        figures[f].is_hole = inside_figures(input, best->point.x, best->point.y) == 0;
    }
    return figures;
}

}  // namespace tesu
