#include "input/inside_test.h"

#include <cmath>

namespace tesu {

namespace {

inline constexpr double ON_OUTLINE = 1e-7;

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

// The vertex after row j of figure f, going round: the closing row stands
// for the first vertex.
int next_vertex(const InputTables& input, int f, int j) {
    const int next = j + 1;
    return next >= input.figure_end[f] ? figure_start(input, f) : next;
}

// Whether the outline passes through vertex B (row b, on the ray) from one
// side of the vertical line to the other. A is the vertex before B.
bool passes_through(const InputTables& input, int f, const Point& a, int b) {
    const Point& vertex = input.outline_xy[b];
    int c = b >= input.figure_end[f] ? figure_start(input, f) : b;
    do {
        c = next_vertex(input, f, c);
    } while (input.outline_xy[c].x == vertex.x);
    const double cx = input.outline_xy[c].x;
    return (a.x < vertex.x && vertex.x < cx) || (a.x > vertex.x && vertex.x > cx);
}

}  // namespace

int sign(double v) {
    if (v > 0) return 1;
    if (v < 0) return -1;
    return 0;
}

int inside_figures(const InputTables& input, double x, double y) {
    int crossings = 0;
    for (int f = 0; f < input.figure_count; ++f) {
        for (int j = figure_start(input, f); j < input.figure_end[f]; ++j) {
            const Point& a = input.outline_xy[j];
            const Point& b = input.outline_xy[j + 1];
            if (boundary_measure(a, b, x, y) < ON_OUTLINE) return 1;

            if (a.x == x && b.x == x) continue;
            if (b.x == x && b.y < y) {
                if (passes_through(input, f, a, j + 1)) ++crossings;
                continue;
            }
            if (a.x == x && a.y < y) continue;
            const double dx = b.x - a.x;
            const double dy = b.y - a.y;
            const int side = sign(x - a.x);
            if (side == sign(b.x - x) && sign((y - a.y) * dx - (x - a.x) * dy) == side) ++crossings;
        }
    }
    return crossings % 2;
}

}  // namespace tesu
