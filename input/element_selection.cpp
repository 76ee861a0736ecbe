#include "input/element_selection.h"

#include "engine/creation_order.h"
#include "input/inside_test.h"

namespace tesu {

namespace {

// The double nearest to one third, used as a multiplier.
inline constexpr double ONE_THIRD = 0.3333333333333333;

}  // namespace

bool centroid_inside(const MeshTables& mesh, const InputTables& input, const std::array<int, 3>& nodes) {
    const Point& p = mesh.node_xy[nodes[0]];
    const Point& q = mesh.node_xy[nodes[1]];
    const Point& r = mesh.node_xy[nodes[2]];
    return inside_figures(input, (p.x + q.x + r.x) * ONE_THIRD, (p.y + q.y + r.y) * ONE_THIRD) == 1;
}

std::vector<int> find_elements(const MeshTables& mesh, const InputTables& input) {
    std::vector<int> elements = triangles_in_creation_order(mesh);
    std::erase_if(elements, [&](int v) { return !centroid_inside(mesh, input, vp_nodes(mesh, v)); });
    return elements;
}

}  // namespace tesu
