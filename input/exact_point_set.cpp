#include "input/exact_point_set.h"

#include <algorithm>
#include <cmath>

namespace tesu {

namespace {

bool before(const Point& a, const Point& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); }

bool same(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

// Left out of the sorting, since NaN would break the order and equals
// nothing anyway.
bool has_nan(const Point& p) { return std::isnan(p.x) || std::isnan(p.y); }

}  // namespace

void ExactPointSet::assign(const MeshTables& mesh, int first, int last) {
    sorted_.clear();
    for (int k = first; k <= last; ++k) {
        if (!has_nan(mesh.node_xy[k])) sorted_.push_back({mesh.node_xy[k], k});
    }
    sort();
}

void ExactPointSet::assign(std::span<const Point> points) {
    sorted_.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!has_nan(points[i])) sorted_.push_back({points[i], static_cast<int>(i)});
    }
    sort();
}

void ExactPointSet::sort() {
    std::sort(sorted_.begin(), sorted_.end(),
              [](const Entry& a, const Entry& b) { return before(a.at, b.at); });
}

bool ExactPointSet::has_repeat() const {
    return std::adjacent_find(sorted_.begin(), sorted_.end(), [](const Entry& a, const Entry& b) {
               return same(a.at, b.at);
           }) != sorted_.end();
}

bool ExactPointSet::contains(const Point& p) const { return find(p) >= 0; }

int ExactPointSet::find(const Point& p) const {
    if (has_nan(p)) return -1;
    const auto found = std::lower_bound(sorted_.begin(), sorted_.end(), p,
                                        [](const Entry& e, const Point& q) { return before(e.at, q); });
    return found != sorted_.end() && same(found->at, p) ? found->from : -1;
}

std::int64_t ExactPointSet::equal_pairs() const {
    std::int64_t pairs = 0;
    std::int64_t run = 0;  // points before this one equal to it
    for (std::size_t i = 1; i < sorted_.size(); ++i) {
        run = same(sorted_[i - 1].at, sorted_[i].at) ? run + 1 : 0;
        pairs += run;
    }
    return pairs;
}

std::vector<bool> repeats_earlier_point(std::span<const Point> points) {
    std::vector<int> order;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!has_nan(points[i])) order.push_back(static_cast<int>(i));
    }
    // Equal points side by side, the earliest first.
    std::stable_sort(order.begin(), order.end(), [&points](int a, int b) {
        return before(points[static_cast<std::size_t>(a)], points[static_cast<std::size_t>(b)]);
    });
    std::vector<bool> repeats(points.size(), false);
    for (std::size_t k = 1; k < order.size(); ++k) {
        const auto previous = static_cast<std::size_t>(order[k - 1]);
        const auto current = static_cast<std::size_t>(order[k]);
        if (same(points[previous], points[current])) repeats[current] = true;
    }
    return repeats;
}

}  // namespace tesu
