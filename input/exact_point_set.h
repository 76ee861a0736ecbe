// Point positions sorted for exact look-up. Equal means equal coordinates
// (0 and -0 alike), as the result file finds points among the nodes; a NaN
// coordinate equals nothing.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/mesh_tables.h"

namespace tesu {

class ExactPointSet {
public:
    // Takes node rows first to last.
    void assign(const MeshTables& mesh, int first, int last);
    void assign(std::span<const Point> points);
    bool has_repeat() const;
    bool contains(const Point& p) const;
    // Where a point equal to `p` was taken from: its node row, or its index
    // among the points; -1 when none is. Meant for sets without repeats.
    int find(const Point& p) const;
    // The pairs of points taken that are equal: m equal points make m(m-1)/2.
    std::int64_t equal_pairs() const;

private:
    struct Entry {
        Point at;
        int from;  // node row or index
    };

    void sort();

    std::vector<Entry> sorted_;
};

// For each point, whether an earlier one is equal to it.
std::vector<bool> repeats_earlier_point(std::span<const Point> points);

}  // namespace tesu
