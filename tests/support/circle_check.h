// The empty-circle test of the tests, in extended precision, independent of
// the engine's own circle test.
#pragma once

#include <cmath>

#include "engine/mesh_tables.h"

namespace tesu::testing {

// Twice the signed area of a, b, c: positive when they turn counter-clockwise.
inline long double orientation(const Point& a, const Point& b, const Point& c) {
    using Real = long double;
    return (Real{b.x} - a.x) * (Real{c.y} - a.y) - (Real{b.y} - a.y) * (Real{c.x} - a.x);
}

// d lies inside the circle through a, b, c by more than rounding error.
inline bool inside_circle(const Point& a, const Point& b, const Point& c, const Point& d) {
    using Real = long double;
    const Real ax = Real{a.x} - d.x, ay = Real{a.y} - d.y, bx = Real{b.x} - d.x, by = Real{b.y} - d.y;
    const Real cx = Real{c.x} - d.x, cy = Real{c.y} - d.y;
    const Real al = ax * ax + ay * ay, bl = bx * bx + by * by, cl = cx * cx + cy * cy;
    const Real det = al * (bx * cy - cx * by) + bl * (cx * ay - ax * cy) + cl * (ax * by - bx * ay);
    const Real scale = al * (std::fabs(bx * cy) + std::fabs(cx * by)) +
                       bl * (std::fabs(cx * ay) + std::fabs(ax * cy)) +
                       cl * (std::fabs(ax * by) + std::fabs(bx * ay));
    return (orientation(a, b, c) > 0 ? det : -det) > 1e-9L * scale;
}

}  // namespace tesu::testing
