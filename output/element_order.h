// The order of a triangle's three nodes: the order the window's repaint draws
// its edges in, and the result file's element order, which starts from it.
// Kept apart from the finished mesh that uses them, for their tests.
#pragma once

#include <array>
#include <utility>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"

namespace tesu {

// The lowest node on screen (largest y in drawing units) first, the earlier
// one of equal values staying; the other two by x. `at(n)` is node n's
// position in drawing units.
template <typename PositionOf>
std::array<int, 3> paint_order(std::array<int, 3> nodes, const PositionOf& at) {
    auto& [a, b, c] = nodes;
    const auto x = [&at](int n) { return at(n).x; };
    const auto y = [&at](int n) { return at(n).y; };
    if (y(a) < y(b)) std::swap(a, b);
    if (y(a) < y(c)) std::swap(a, c);
    if (y(a) == y(b)) {
        if (x(a) < x(b)) std::swap(a, b);
    } else if (y(a) == y(c)) {
        std::swap(b, c);
        if (x(a) < x(b)) std::swap(a, b);
    } else if (x(b) > x(c)) {
        std::swap(b, c);
    }
    return nodes;
}

// Puts the three node rows of a triangle into the order the result file
// uses: counter-clockwise in file units.
std::array<int, 3> element_order(const MeshTables& mesh, const InputTables& input, std::array<int, 3> nodes);

}  // namespace tesu
