#include "output/element_selection.h"

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

bool is_element(const MeshTables& mesh, const InputTables& input, int v) {
    return !vp_is_deleted(mesh, v) && centroid_inside(mesh, input, vp_nodes(mesh, v));
}

std::vector<int> find_elements(const MeshTables& mesh, const InputTables& input) {
    // After n insertions 4 + 2n vps are live, fewer than 2 * number + 4:
    // reserving that many at once spares a large mesh a copy.
    std::vector<int> elements;
    elements.reserve(static_cast<std::size_t>(2 * mesh.number + 4));
    for (int v = 4; v <= mesh.vp_number; ++v) {
        if (is_element(mesh, input, v)) elements.push_back(v);
    }
    return elements;
}

}  // namespace tesu
