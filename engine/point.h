// A point of the plane: in file units outside the core, in drawing units
// inside it.
#pragma once

namespace tesu {

struct Point {
    double x;
    double y;
};

struct Segment {
    Point from;
    Point to;
};

}  // namespace tesu
