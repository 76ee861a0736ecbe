// Node positions sorted for exact look-up. Equal means equal coordinates
// (0 and -0 alike), as the result file finds points among the nodes; a NaN
// coordinate equals nothing.
#pragma once

#include <vector>

#include "engine/mesh_tables.h"

namespace tesu {

class ExactPointSet {
public:
    // Takes node rows first to last.
    void assign(const MeshTables& mesh, int first, int last);
    bool has_repeat() const;
    bool contains(const Point& p) const;

private:
    std::vector<Point> sorted_;
};

}  // namespace tesu
