#include "refine/split_points.h"

#include <cmath>

#include "engine/geometry.h"

namespace tesu {

namespace {

// The power of two nearest to `length` on a logarithmic scale.
double nearest_power_of_two(double length) {
    int exponent = 0;
    std::frexp(length, &exponent);
    const double lower = std::ldexp(1.0, exponent - 1);  // lower <= length < 2 lower
    return length * length >= 2 * lower * lower ? 2 * lower : lower;
}

}  // namespace

SegmentSplit segment_split_point(const Point& a, const Point& b, bool a_corner, bool b_corner) {
    if (a_corner != b_corner) {
        const Point& corner = a_corner ? a : b;
        const Point& other = a_corner ? b : a;
        const double length = std::hypot(other.x - corner.x, other.y - corner.y);
        const double distance = nearest_power_of_two(length / 2);
        if (distance > 0 && distance < length) {
            const double t = distance / length;
            return {{corner.x + (other.x - corner.x) * t, corner.y + (other.y - corner.y) * t}, true};
        }
    }
    return {{(a.x + b.x) * 0.5, (a.y + b.y) * 0.5}, false};
}

Point refinement_point(const Point& p, const Point& q, const Point& r, double half_cotangent) {
    double cx, cy;
    circumcentre(p, q, r, cx, cy);
    const Point middle{(p.x + q.x) * 0.5, (p.y + q.y) * 0.5};
    const double to_centre = std::hypot(cx - middle.x, cy - middle.y);
    const double off_centre = std::hypot(q.x - p.x, q.y - p.y) * 0.5 * half_cotangent;
    if (!(off_centre < to_centre)) return {cx, cy};
    const double t = off_centre / to_centre;
    return {middle.x + (cx - middle.x) * t, middle.y + (cy - middle.y) * t};
}

}  // namespace tesu
