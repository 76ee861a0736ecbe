// Outline corners sharper than 60 degrees. No triangulation that keeps the
// outline can give the elements in such a corner a smallest angle larger than
// the corner's own, so the quality bound does not hold there and the quality
// summary counts those elements apart.
#pragma once

#include "engine/mesh_tables.h"

namespace tesu {

inline constexpr double SHARP_CORNER_DEGREES = 60;

// The angle in degrees at `corner` between the directions to `before` and
// `after`, 0 to 180: the corner's angle on its sharper side.
double corner_angle(const Point& corner, const Point& before, const Point& after);

// Whether an element whose smallest angle lies at `corner`, an outline node
// between outline nodes `before` and `after`, and whose centroid is
// `centroid`, sits in a corner sharper than SHARP_CORNER_DEGREES on the
// side of the element.
bool in_sharp_corner(const Point& corner, const Point& before, const Point& after, const Point& centroid);

}  // namespace tesu
