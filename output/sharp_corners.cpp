#include "output/sharp_corners.h"

#include <cmath>

#include "output/degrees.h"

namespace tesu {

namespace {

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// Whether `point` lies strictly inside the wedge at `corner` that the
// directions to `before` and `after` span on their sharper side.
bool in_wedge(const Point& corner, const Point& before, const Point& after, const Point& point) {
    const double ux = before.x - corner.x, uy = before.y - corner.y;
    const double vx = after.x - corner.x, vy = after.y - corner.y;
    const double px = point.x - corner.x, py = point.y - corner.y;
    const double turn = cross(ux, uy, vx, vy);
    if (turn == 0) return false;
    // Inside when the point is on the same side of each direction as the other direction.
    return cross(ux, uy, px, py) * turn > 0 && cross(px, py, vx, vy) * turn > 0;
}

}  // namespace

double corner_angle(const Point& corner, const Point& before, const Point& after) {
    const double ux = before.x - corner.x, uy = before.y - corner.y;
    const double vx = after.x - corner.x, vy = after.y - corner.y;
    return std::atan2(std::fabs(cross(ux, uy, vx, vy)), ux * vx + uy * vy) * DEGREES_PER_RADIAN;
}

bool in_sharp_corner(const Point& corner, const Point& before, const Point& after, const Point& centroid) {
    return corner_angle(corner, before, after) < SHARP_CORNER_DEGREES &&
           in_wedge(corner, before, after, centroid);
}

}  // namespace tesu
