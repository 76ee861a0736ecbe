// What lies under a point of the picture: the node nearest to it within a
// radius, or else the element that holds it. A grid over the nodes' drawing
// units, built once per finished mesh, keeps each look-up to a few cells
// however large the mesh.
#pragma once

#include <cstdint>
#include <vector>

#include "output/finished_mesh.h"

namespace tesu {

class MeshProbe {
public:
    // Forgets the grid: the next look-up builds it from the mesh it is given.
    void clear();

    // The number (from 1) of the node nearest to (x, y) no farther than
    // `radius`, all in drawing units; 0 when there is none.
    int node_near(const FinishedMesh& mesh, double x, double y, double radius);
    // The number (from 1, in result-file order) of an element that holds
    // (x, y), the lowest when it lies on a shared edge; 0 when none does.
    int element_at(const FinishedMesh& mesh, double x, double y);

private:
    // Each cell's items, one cell after another: cell c holds
    // items[start[c]] to items[start[c + 1] - 1].
    struct CellLists {
        std::vector<std::uint32_t> start;
        std::vector<int> items;
    };

    void build(const FinishedMesh& mesh);
    int column_of(double x) const;
    int row_of(double y) const;

    bool built_ = false;
    double min_x_ = 0;
    double min_y_ = 0;
    double max_x_ = 0;
    double max_y_ = 0;
    double cell_size_ = 1;
    int columns_ = 1;
    int rows_ = 1;
    CellLists nodes_;     // node numbers
    CellLists elements_;  // element indices, from 0
};

}  // namespace tesu
