#include "refine/outline_chains.h"

#include "engine/node_numbering.h"
#include "output/finished_mesh.h"
#include "output/sharp_corners.h"

namespace tesu {

namespace {

// Nodes placed along a straight edge are collinear to rounding; any turn
// larger than this is a corner of the outline.
inline constexpr double STRAIGHT_DEGREES = 179.999;

}  // namespace

OutlineChains::OutlineChains(const MeshTables& mesh, const InputTables& input, int last_contour_node) {
    const auto rows = static_cast<std::size_t>(mesh.number + 1);
    next_.assign(rows, 0);
    previous_.assign(rows, 0);
    on_outline_.assign(rows, 0);
    corner_.assign(rows, 0);
    sharp_.assign(rows, 0);
    on_shell_.assign(rows, 0);
    segment_edge_.assign(rows, -1);
    edge_.assign(rows, -1);
    for (std::vector<int>& loop : outline_loop_rows(mesh, input, last_contour_node)) {
        const std::size_t n = loop.size();
        for (const int k : loop) on_outline_[static_cast<std::size_t>(k)] = 1;
        if (n < 3) {
            loop_first_.push_back(0);
            short_loops_.push_back(std::move(loop));
            continue;
        }
        loop_first_.push_back(loop.front());
        short_loops_.emplace_back();
        const auto at = [&](std::size_t i) { return loop[i % n]; };
        std::vector<char> corner(n, 0);
        std::size_t first_corner = n;
        for (std::size_t i = 0; i < n; ++i) {
            const int k = loop[i];
            const int before = at(i + n - 1);
            const int after = at(i + 1);
            next_[static_cast<std::size_t>(k)] = after;
            previous_[static_cast<std::size_t>(k)] = before;
            const double angle = corner_angle(mesh.node_xy[k], mesh.node_xy[before], mesh.node_xy[after]);
            corner[i] = angle < STRAIGHT_DEGREES;
            corner_[static_cast<std::size_t>(k)] = corner[i];
            sharp_[static_cast<std::size_t>(k)] = angle < SHARP_CORNER_DEGREES;
            if (corner[i] && first_corner == n) first_corner = i;
        }
        // Input edges run from corner to corner; a loop without a corner is
        // one edge.
        const std::size_t start = first_corner == n ? 0 : first_corner;
        int edge = -1;
        for (std::size_t j = 0; j < n; ++j) {
            const std::size_t i = (start + j) % n;
            const int k = loop[i];
            if (corner[i] || edge < 0) {
                if (edge >= 0) edge_end_.back() = k;
                edge = static_cast<int>(edge_start_.size());
                edge_start_.push_back(corner[i] ? k : 0);
                edge_end_.push_back(0);
            }
            if (!corner[i]) edge_[static_cast<std::size_t>(k)] = edge;
            segment_edge_[static_cast<std::size_t>(k)] = edge;
        }
        if (first_corner != n) edge_end_.back() = loop[first_corner];
    }
}

int OutlineChains::shared_shell_corner(int u, int v) const {
    const int eu = edge_of(u);
    const int ev = edge_of(v);
    if (eu < 0 || ev < 0 || eu == ev) return 0;
    if (!on_shell_[static_cast<std::size_t>(u)] || !on_shell_[static_cast<std::size_t>(v)]) return 0;
    const auto i = static_cast<std::size_t>(eu);
    const auto j = static_cast<std::size_t>(ev);
    int corner = 0;
    if (edge_end_[i] != 0 && edge_end_[i] == edge_start_[j]) corner = edge_end_[i];
    if (edge_start_[i] != 0 && edge_start_[i] == edge_end_[j]) corner = edge_start_[i];
    return corner != 0 && sharp(corner) ? corner : 0;
}

void OutlineChains::add_node(int k) {
    while (static_cast<int>(next_.size()) <= k) {
        next_.push_back(0);
        previous_.push_back(0);
        on_outline_.push_back(0);
        corner_.push_back(0);
        sharp_.push_back(0);
        on_shell_.push_back(0);
        segment_edge_.push_back(-1);
        edge_.push_back(-1);
    }
}

void OutlineChains::split(int a, int k, bool on_shell) {
    const auto ia = static_cast<std::size_t>(a);
    const auto ik = static_cast<std::size_t>(k);
    const int b = next_[ia];
    next_[ia] = k;
    previous_[ik] = a;
    next_[ik] = b;
    previous_[static_cast<std::size_t>(b)] = k;
    on_outline_[ik] = 1;
    on_shell_[ik] = on_shell;
    segment_edge_[ik] = segment_edge_[ia];
    edge_[ik] = segment_edge_[ia];
}

std::vector<int> OutlineChains::output_order(int last_placed, int number) const {
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(node_number(number)));
    for (std::size_t f = 0; f < loop_first_.size(); ++f) {
        if (const int first = loop_first_[f]; first != 0) {
            int k = first;
            do {
                order.push_back(k);
                k = next(k);
            } while (k != first);
        } else {
            order.insert(order.end(), short_loops_[f].begin(), short_loops_[f].end());
        }
    }
    for (int k = FIRST_NODE_ROW; k <= number; ++k) {
        if (!on_outline(k) && k <= last_placed) order.push_back(k);
    }
    for (int k = FIRST_NODE_ROW; k <= number; ++k) {
        if (!on_outline(k) && k > last_placed) order.push_back(k);
    }
    return order;
}

}  // namespace tesu
