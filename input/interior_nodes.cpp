// The interior stage, apart from the other stages since it works on the
// diagram through the mesh engine.
#include <cmath>

#include "engine/geometry.h"
#include "engine/voronoi.h"
#include "input/inside_test.h"
#include "input/node_generation.h"

namespace tesu {

namespace {

// The interior search reports its progress after this many nodes, and at
// the end of each row.
inline constexpr int PROGRESS_NODES = 256;

// Lattice points may come this much closer than the spacing to a node.
inline constexpr double SPACING_SLACK = 1e-7;

// Inserts the lattice point (x, y) when it lies farther than the spacing rho
// (less the slack) from every node of the diagram, and on none of them;
// true when it was inserted.
// `walk_start` is where the search for the nearest node begins, a node close
// to the point: the node inserted last, or after a dropped point the node
// found too near it. A point is dropped as soon as the walk meets such a
// node: the nearest one would be no farther. Only the distance decides, so
// the start may be any node; the insertion itself starts from where its own
// walk from the newest node would end, as it always has.
bool try_interior_node(VoronoiBuilder& builder, double x, double y, double rho, int& walk_start,
                       int node_limit) {
    MeshTables& mesh = builder.mesh();
    const int k = mesh.number + 1;
    mesh.node_xy[k] = {x, y};
    const WalkEnd nearest = builder.walk_within(walk_start, k, rho - SPACING_SLACK);
    const bool walked_from_newest = walk_start == mesh.number;
    walk_start = nearest.node;
    const double d2 = nearest.distance2;
    if (!(d2 > 0 && std::sqrt(d2) > rho - SPACING_SLACK)) return false;
    // The insertion's own walk would start at the newest node. When this one
    // did too, or when any walk would end where this one did, it has found
    // the same node already; otherwise the insertion's walk must decide
    // between nodes that are equally near.
    if (walked_from_newest || has_no_rival(mesh, nearest.node, k, d2)) {
        builder.insert_node_beside(k, nearest.node);
    } else {
        builder.insert_node(k);
    }
    ++mesh.number;
    walk_start = k;
    if (mesh.number >= node_limit) stop_at_node_capacity(node_limit);
    return true;
}

}  // namespace

// Rows run from Y = DRAWING_SIDE, the lowest outline point, up to the topmost one;
// along a row the step follows the local spacing, and the next row lies as
// far above as the smallest spacing met along this one asks for. Every
// second row starts half a step in.
bool place_interior_nodes(VoronoiBuilder& builder, const InputTables& input, const SearchProgress& progress,
                          int node_limit) {
    const MeshTables& mesh = builder.mesh();
    // No point lies inside when no figure is closed: the sweep would find
    // nothing, however long it took.
    if (input.figure_count == 0) return true;
    double top = 400.0;
    for (int i = 0; i < input.outline_point_count; ++i) {
        if (input.outline_xy[i].y < top) top = input.outline_xy[i].y;
    }

    int walk_start = mesh.number;
    // Where the walk for the first inside point of the last row ended: the
    // next row starts beside it, not across the mesh at the end of the row.
    int row_start_node = 0;
    double y = DRAWING_SIDE;
    double x = 0.0;
    int shift = 1;
    for (;;) {
        double r_min = 1e30;
        double step = 0;
        bool row_started = false;
        if (row_start_node != 0) walk_start = row_start_node;
        do {
            const double rho = local_density(input, x, y);
            if (rho < r_min) r_min = rho;
            if (inside_figures(input, x, y) == 1) {
                const bool inserted = try_interior_node(builder, x, y, rho, walk_start, node_limit);
                if (!row_started) {
                    row_start_node = walk_start;
                    row_started = true;
                }
                // A row can be long, and each insertion slow near a huge
                // cavity: the caller hears of progress every few nodes.
                if (inserted && progress && mesh.number % PROGRESS_NODES == 0 && progress()) return false;
            }
            step = rho / input.span;
            x = x + step;
        } while (x <= DRAWING_SIDE);

        y = y - std::sqrt(3.0) / 2 * r_min / input.span;
        x = shift * step / 2;
        if (y < 0 || y < top) return true;
        if (progress && progress()) return false;
        shift = 1 - shift;
    }
}

}  // namespace tesu
