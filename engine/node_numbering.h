// Node rows and node numbers. Row 0 of the node table is the point at
// infinity and rows 1 to 3 the corners of the enclosing triangle; the mesh's
// own nodes follow. Outside the program (the result file, the exports, the
// window) a node goes by its number, from 1: its row less those corners.
#pragma once

namespace tesu {

inline constexpr int ENCLOSING_CORNERS = 3;
// The row of node number 1; a row below it is no node of the mesh.
inline constexpr int FIRST_NODE_ROW = ENCLOSING_CORNERS + 1;

constexpr int node_number(int row) { return row - ENCLOSING_CORNERS; }
constexpr int node_row(int number) { return number + ENCLOSING_CORNERS; }

}  // namespace tesu
