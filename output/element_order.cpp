#include "output/element_order.h"

#include "output/file_units.h"

namespace tesu {

std::array<int, 3> element_order(const MeshTables& mesh, const InputTables& input, std::array<int, 3> nodes) {
    const auto at = [&mesh](int n) -> const Point& { return mesh.node_xy[n]; };
    auto [p, q, r] = paint_order(nodes, at);
    // When the lowest node shares its y with neither other node (paint_order
    // then left it alone) and those two share their x, their tie is broken by
    // y, one way or the other as the lowest node lies right or left of them.
    if (at(p).y != at(q).y && at(p).y != at(r).y && at(q).x == at(r).x) {
        if (at(p).x > at(q).x ? at(r).y > at(q).y : at(q).y > at(r).y) std::swap(q, r);
    }
    std::swap(p, r);

    // Make the order counter-clockwise in file units.
    const Point fp = to_file_units(input, mesh.node_xy[p]);
    const Point fq = to_file_units(input, mesh.node_xy[q]);
    const Point fr = to_file_units(input, mesh.node_xy[r]);
    const double turn = (fr.x - fp.x) * (fq.y - fp.y) + (fq.x - fp.x) * (fp.y - fr.y);
    if (turn > 0) std::swap(p, r);
    return {p, q, r};
}

}  // namespace tesu
