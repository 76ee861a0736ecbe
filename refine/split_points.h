// Where the refinement puts its nodes: on a segment, and for a triangle whose
// smallest angle is under the bound.
#pragma once

#include "engine/mesh_tables.h"

namespace tesu {

// The point that splits the segment from `a` to `b`. Its midpoint, unless
// exactly one end is a corner of the outline: then the point at the power of
// two (in drawing units) nearest to half the segment's length, measured from
// that corner. Splits near a corner then fall on shells around it, the same
// on both of its segments: the triangle in the corner stays isosceles, and
// refinement between the two segments ends.
struct SegmentSplit {
    Point at;
    bool on_shell;  // at a power of two from a corner
};
SegmentSplit segment_split_point(const Point& a, const Point& b, bool a_corner, bool b_corner);

// A new node for the triangle p, q, r, whose shortest side is p to q: its
// circumcentre, or, where that lies farther away, the off-centre on the
// bisector of p and q from which p and q are seen under `apex_degrees`, so
// that the triangle of p, q and the new node is just good enough.
// `half_cotangent` is 1 / tan(apex_degrees / 2).
Point refinement_point(const Point& p, const Point& q, const Point& r, double half_cotangent);

// Whether point x lies in the closed circle with diameter a to b.
inline bool encroaches(const Point& x, const Point& a, const Point& b) {
    return (x.x - a.x) * (x.x - b.x) + (x.y - a.y) * (x.y - b.y) <= 0;
}

}  // namespace tesu
