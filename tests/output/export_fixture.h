// A hand-built mesh for the export tests: a 4 by 4 square with a 2 by 2
// square hole, a triangular island inside the hole, a node outside
// everything, and triangles that are no elements. File point (u + 10, v + 20)
// for local (u, v); 64 drawing units per file unit keep every coordinate
// exact both ways.
//
//   D(5) ----------------- C(4)      numbers are node numbers
//    |   d(9) ------ c(8)   |        outline nodes 1 to 12, figure by figure;
//    |    |    12     |     |        13 lies outside, at (4.5, 2)
//    |    |  10  11   |     |
//    |   a(6) ------ b(7)   |
//   A(1) ------ E(2) ----- B(3)
#pragma once

#include "test_support.h"

namespace tesu::testing {

struct RingWithIsland {
    TestMesh t{10, 20, 64};
    int node(double u, double v) { return t.node(u + 10, v + 20); }
    Point at(double u, double v) const { return {u + 10, v + 20}; }

    static constexpr int LAST_CONTOUR_NODE = 15;  // node index, number 12

    RingWithIsland() {
        const int A = node(0, 0), E = node(2, 0), B = node(4, 0), C = node(4, 4), D = node(0, 4);
        const int a = node(1, 1), b = node(3, 1), c = node(3, 3), d = node(1, 3);
        const int i1 = node(1.5, 1.5), i2 = node(2.5, 1.5), i3 = node(2, 2.5);
        node(4.5, 2);
        t.figure({at(0, 0), at(4, 0), at(4, 4), at(0, 4)});
        t.figure({at(1, 1), at(3, 1), at(3, 3), at(1, 3)});
        t.figure({at(1.5, 1.5), at(2.5, 1.5), at(2, 2.5)});

        // Elements 1 to 10, in this order.
        t.triangle(A, E, a);
        t.triangle(E, b, a);
        t.triangle(E, B, b);
        t.triangle(B, C, c);
        t.triangle(B, c, b);
        t.triangle(C, D, d);
        t.triangle(C, d, c);
        t.triangle(D, A, a);
        t.triangle(D, a, d);
        t.triangle(i1, i2, i3);
        // Not elements: in the hole, deleted, on the enclosing triangle.
        t.triangle(a, b, i2);
        t.mesh->vp_ve[t.triangle(A, B, C)][0] = DELETED_VP;
        t.triangle(1, A, E);
    }
};

// The elements' node numbers, counter-clockwise with the first node as the
// result file picks it.
inline const std::vector<std::array<int, 3>> RING_ELEMENTS = {
    {6, 1, 2}, {7, 6, 2}, {7, 2, 3}, {4, 8, 3}, {8, 7, 3},
    {4, 5, 9}, {4, 9, 8}, {6, 5, 1}, {9, 5, 6}, {12, 10, 11},
};

}  // namespace tesu::testing
