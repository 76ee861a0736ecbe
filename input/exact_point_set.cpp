#include "input/exact_point_set.h"

#include <algorithm>
#include <cmath>

namespace tesu {

namespace {

bool before(const Point& a, const Point& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); }

bool same(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

}  // namespace

void ExactPointSet::assign(const MeshTables& mesh, int first, int last) {
    sorted_.clear();
    for (int k = first; k <= last; ++k) {
        const Point& p = mesh.node_xy[k];
        // Left out, since NaN would break the order and equals nothing anyway.
        if (std::isnan(p.x) || std::isnan(p.y)) continue;
        sorted_.push_back(p);
    }
    std::sort(sorted_.begin(), sorted_.end(), before);
}

bool ExactPointSet::has_repeat() const {
    return std::adjacent_find(sorted_.begin(), sorted_.end(), same) != sorted_.end();
}

bool ExactPointSet::contains(const Point& p) const {
    if (std::isnan(p.x) || std::isnan(p.y)) return false;
    return std::binary_search(sorted_.begin(), sorted_.end(), p, before);
}

}  // namespace tesu
