#include "input/inside_test.h"

#include <cmath>

namespace tesu {

namespace {

int sign(double v) {
    if (v > 0) return 1;
    if (v < 0) return -1;
    return 0;
}

// How close (x, y) lies to the edge A-B: the squared distance to the nearer
// end when the point projects outside the edge, otherwise the perpendicular
// distance divided by the edge's length.
double boundary_measure(const Point& a, const Point& b, double x, double y) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if ((a.x - x) * dx + (a.y - y) * dy >= 0) return (x - a.x) * (x - a.x) + (y - a.y) * (y - a.y);
    if ((b.x - x) * dx + (b.y - y) * dy <= 0) return (x - b.x) * (x - b.x) + (y - b.y) * (y - b.y);
    return std::fabs((x - a.x) * dy - (y - a.y) * dx) / (dx * dx + dy * dy);
}

enum class EdgeVerdict { on_outline, crossing, none };

// What the edge A-B tells about (x, y). after_b_x() gives the X of the first
// vertex after B, going round the figure, whose X differs from B's; it is
// asked only when B lies on the ray.
// `may_touch` false says that (x, y) is known to lie off the edge.
template <typename AfterB>
EdgeVerdict examine_edge(const Point& a, const Point& b, double x, double y, AfterB after_b_x,
                         bool may_touch = true) {
    if (may_touch && boundary_measure(a, b, x, y) < ON_OUTLINE_TOLERANCE) return EdgeVerdict::on_outline;

    if (a.x == x && b.x == x) return EdgeVerdict::none;
    if (b.x == x && b.y < y) {
        // B is on the ray: one crossing if the outline passes through B from
        // one side of the vertical line to the other.
        const double cx = after_b_x();
        const bool passes = (a.x < b.x && b.x < cx) || (a.x > b.x && b.x > cx);
        return passes ? EdgeVerdict::crossing : EdgeVerdict::none;
    }
    // A on the ray was decided with the edge that ends at it.
    if (a.x == x && a.y < y) return EdgeVerdict::none;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const int side = sign(x - a.x);
    const bool spans = side == sign(b.x - x);
    return spans && sign((y - a.y) * dx - (x - a.x) * dy) == side ? EdgeVerdict::crossing : EdgeVerdict::none;
}

int inside_by_index(const OutlineIndex& index, double x, double y) {
    int crossings = 0;
    for (const int e : index.edges_near(x)) {
        const IndexedEdge& edge = index.edge(e);
        // A NaN y compares false and is measured like any other point.
        const bool may_touch = !(y < edge.y_low || y > edge.y_high);
        const EdgeVerdict verdict = examine_edge(
            edge.a, edge.b, x, y, [&edge] { return edge.after_b_x; }, may_touch);
        if (verdict == EdgeVerdict::on_outline) return 1;
        if (verdict == EdgeVerdict::crossing) ++crossings;
    }
    return crossings % 2;
}

// The same test over every edge, for tables that were never indexed.
int inside_by_scan(const InputTables& input, double x, double y) {
    int crossings = 0;
    for (int f = 0; f < input.figure_count; ++f) {
        const int start = figure_start(input, f);
        const int end = input.figure_end[f];
        for (int j = start; j < end; ++j) {
            const Point& a = input.outline_xy[j];
            const Point& b = input.outline_xy[j + 1];
            const auto after_b_x = [&] {
                int c = j + 1 >= end ? start : j + 1;
                do {
                    c = c + 1 >= end ? start : c + 1;
                } while (input.outline_xy[c].x == b.x);
                return input.outline_xy[c].x;
            };
            const EdgeVerdict verdict = examine_edge(a, b, x, y, after_b_x);
            if (verdict == EdgeVerdict::on_outline) return 1;
            if (verdict == EdgeVerdict::crossing) ++crossings;
        }
    }
    return crossings % 2;
}

}  // namespace

int inside_figures(const InputTables& input, double x, double y) {
    return input.outline_index.ready() ? inside_by_index(input.outline_index, x, y)
                                       : inside_by_scan(input, x, y);
}

}  // namespace tesu
