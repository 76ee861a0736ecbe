#include "refine/quality_refinement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <vector>

#include "engine/geometry.h"
#include "engine/node_numbering.h"
#include "engine/node_renumbering.h"
#include "engine/voronoi.h"
#include "input/element_selection.h"
#include "input/inside_test.h"
#include "output/distortion.h"
#include "output/sharp_corners.h"
#include "refine/outline_chains.h"
#include "refine/split_points.h"

namespace tesu {

namespace {

inline constexpr double RADIANS_PER_DEGREE = 0.017453292519943295;
// Segments and triangle sides shorter than this (drawing units, whose
// figures span DRAWING_SIDE) are not split: the rounding of a point placed on them
// would be a sizeable part of their length.
inline constexpr double SHORTEST_SPLIT = 1e-7;
// A triangle counts as bad up to this much above the bound, so that rounding
// in any reader's angle cannot put an element of the mesh under it.
inline constexpr double ANGLE_MARGIN = 1e-6;
// The off-centre gives its new triangle this much more than the bound at
// the new node, which keeps that triangle clear of the margin above.
inline constexpr double OFF_CENTRE_EXTRA = 1.0;
// The nodes a refinement may add: far more than any outline needs that the
// node spacing can resolve, so that only inputs with features too small to
// mesh meet it.
inline constexpr int BUDGET_PER_NODE = 4;
inline constexpr int BUDGET_BASE = 100'000;
inline constexpr double SAME_SHELL = 1e-6;
// The progress is told after this many steps.
inline constexpr int PROGRESS_STEPS = 256;

// Whether a vp's three nodes are nodes of the mesh, none of them a corner of
// the enclosing triangle or the point at infinity.
bool of_mesh_nodes(const std::array<int, 3>& nodes) {
    return nodes[0] >= FIRST_NODE_ROW && nodes[1] >= FIRST_NODE_ROW && nodes[2] >= FIRST_NODE_ROW;
}

// A triangle waiting to be refined: its vp row, and the creation number that
// tells whether the row still holds that triangle.
struct QueuedTriangle {
    int vp;
    int serial;
};

class Refiner {
public:
    Refiner(VoronoiBuilder& builder, const InputTables& input, int last_contour_node,
            const QualityOptions& options, int node_limit)
        : builder_(builder),
          mesh_(builder.mesh()),
          input_(input),
          chains_(mesh_, input, last_contour_node),
          quality_(options.min_angle > 0),
          bound_(options.min_angle + ANGLE_MARGIN),
          half_cotangent_(
              1 / std::tan(std::min(options.min_angle + OFF_CENTRE_EXTRA, 60.0) * RADIANS_PER_DEGREE / 2)),
          node_limit_(node_limit),
          budget_(BUDGET_PER_NODE * node_number(mesh_.number) + BUDGET_BASE) {
        // Close to the bound, the prefilter leaves the decision to the
        // exact measure.
        prefilter_cosine_ = std::cos((options.min_angle + 0.01) * RADIANS_PER_DEGREE);
    }

    // Runs until both queues are empty, the budget is spent or `progress`
    // asks to stop; false when it asked.
    bool run(const RefineProgress& progress) {
        for (int k = FIRST_NODE_ROW; k <= mesh_.number; ++k) {
            if (chains_.next(k) != 0) segments_.push_back(k);
        }
        if (quality_) {
            for (int v = 4; v <= mesh_.vp_pool.highest_row; ++v) queue_if_bad(v);
        }
        for (long steps = 1;; ++steps) {
            if (steps % PROGRESS_STEPS == 0 && progress && progress()) return false;
            if (segments_.empty() && triangles_.empty()) return true;
            if (added() >= budget_) {
                summary_.budget_reached = true;
                return true;
            }
            if (!segments_.empty()) {
                const int a = segments_.front();
                segments_.pop_front();
                check_segment(a);
            } else {
                const QueuedTriangle t = triangles_.front();
                triangles_.pop_front();
                refine_triangle(t);
            }
        }
    }

    // Puts the node rows into output order.
    void sort_rows(int& last_contour_node, int last_placed) {
        if (added() == 0) return;
        const std::vector<int> order = chains_.output_order(last_placed, mesh_.number);
        std::vector<int> new_row(order.size());
        int outline_nodes = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            new_row[static_cast<std::size_t>(order[i] - FIRST_NODE_ROW)] =
                static_cast<int>(i) + FIRST_NODE_ROW;
            if (chains_.on_outline(order[i])) ++outline_nodes;
        }
        renumber_nodes(builder_, new_row);
        last_contour_node = node_row(outline_nodes);
    }

    RefinementSummary summary() const { return summary_; }

private:
    int added() const { return summary_.outline_nodes_added + summary_.interior_nodes_added; }

    const Point& at(int k) const { return mesh_.node_xy[k]; }

    bool live(const QueuedTriangle& t) const {
        return !vp_is_deleted(mesh_, t.vp) && mesh_.vp_serial[t.vp] == t.serial;
    }

    // Queues vp v when it is a triangle of real nodes whose smallest angle
    // may be under the bound; the exact measure and the inside test wait
    // until it is taken.
    void queue_if_bad(int v) {
        if (vp_is_deleted(mesh_, v)) return;
        const auto nodes = vp_nodes(mesh_, v);
        if (!of_mesh_nodes(nodes)) return;
        const double a = distance2(at(nodes[1]), at(nodes[2]));
        const double b = distance2(at(nodes[2]), at(nodes[0]));
        const double c = distance2(at(nodes[0]), at(nodes[1]));
        // The smallest angle lies opposite the shortest side.
        double shortest = a, s1 = b, s2 = c;
        if (b < shortest) shortest = b, s1 = a, s2 = c;
        if (c < shortest) shortest = c, s1 = a, s2 = b;
        const double cosine = (s1 + s2 - shortest) / (2 * std::sqrt(s1 * s2));
        if (!(cosine <= prefilter_cosine_)) triangles_.push_back({v, mesh_.vp_serial[v]});
    }

    // Splits the segment from a when it is no edge, or with a bound when the
    // apex of an element beside it lies in its diametral circle.
    void check_segment(int a) {
        const int b = chains_.next(a);
        if (b == 0) return;
        const int e = shared_ve(mesh_, a, b);
        if (e == 0) {
            split_segment(a);
            return;
        }
        if (!quality_) return;
        for (const int v : mesh_.ve_vp[e]) {
            const auto nodes = vp_nodes(mesh_, v);
            if (!of_mesh_nodes(nodes)) continue;
            const int apex = nodes[0] != a && nodes[0] != b   ? nodes[0]
                             : nodes[1] != a && nodes[1] != b ? nodes[1]
                                                              : nodes[2];
            if (encroaches(at(apex), at(a), at(b)) && centroid_inside(mesh_, input_, nodes)) {
                split_segment(a);
                return;
            }
        }
    }

    // Inserts a node on the segment from a; false when the segment is too
    // short to split, its split point is a node already, or the insertion
    // there would not leave a sound triangulation.
    bool split_segment(int a) {
        const int b = chains_.next(a);
        if (distance2(at(a), at(b)) < SHORTEST_SPLIT * SHORTEST_SPLIT) return false;
        const SegmentSplit split = segment_split_point(at(a), at(b), chains_.corner(a), chains_.corner(b));
        const int k = place_new_node(split.at);
        const WalkEnd end = builder_.walk_to_nearest(a, k);
        if (end.distance2 == 0 || !builder_.insert_node_if_star(k, end.node)) return false;
        mesh_.number = k;
        chains_.add_node(k);
        chains_.split(a, k, split.on_shell);
        ++summary_.outline_nodes_added;
        segments_.push_back(a);
        segments_.push_back(k);
        queue_around(k);
        return true;
    }

    // Refines triangle t when it is still an element under the bound and
    // the bound can hold there.
    void refine_triangle(const QueuedTriangle& t) {
        if (!live(t)) return;
        const auto nodes = vp_nodes(mesh_, t.vp);
        if (!of_mesh_nodes(nodes)) return;
        if (!(smallest_angle(at(nodes[0]), at(nodes[1]), at(nodes[2])) < bound_)) return;
        if (!centroid_inside(mesh_, input_, nodes)) return;
        // The shortest side, from u to w, the first of equals; the apex r
        // holds the smallest angle.
        std::size_t shortest = 0;
        double shortest2 = distance2(at(nodes[0]), at(nodes[1]));
        for (std::size_t i = 1; i < 3; ++i) {
            const double d2 = distance2(at(nodes[i]), at(nodes[(i + 1) % 3]));
            if (d2 < shortest2) shortest = i, shortest2 = d2;
        }
        if (shortest2 < SHORTEST_SPLIT * SHORTEST_SPLIT) return;
        const int u = nodes[shortest];
        const int w = nodes[(shortest + 1) % 3];
        const int r = nodes[(shortest + 2) % 3];
        // Inside a corner sharper than 60 degrees the bound cannot hold at
        // the corner itself. Between nodes put on one shell of it, on its
        // two edges, the triangle is refined only while that leaves the
        // corner's own segments alone: splitting them would make another
        // such pair nearer the corner, and refinement would never end.
        const Point centroid{(at(u).x + at(w).x + at(r).x) / 3, (at(u).y + at(w).y + at(r).y) / 3};
        if (in_sharp_corner_of(r, centroid)) return;
        int shell_corner = chains_.shared_shell_corner(u, w);
        if (shell_corner != 0 &&
            !(on_one_shell(shell_corner, u, w) && in_sharp_corner_of(shell_corner, centroid))) {
            shell_corner = 0;
        }
        const Point point = refinement_point(at(u), at(w), at(r), half_cotangent_);
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) return;
        const int k = place_new_node(point);
        const WalkEnd end = builder_.walk_to_nearest(u, k);
        if (end.distance2 == 0) return;
        gather_encroached(end.node, k);
        if (shell_corner != 0 && std::any_of(encroached_.begin(), encroached_.end(), [&](int a) {
                return a == shell_corner || chains_.next(a) == shell_corner;
            })) {
            return;
        }
        if (!encroached_.empty()) {
            bool split_any = false;
            for (const int a : encroached_) split_any = split_segment(a) || split_any;
            if (split_any && live(t)) triangles_.push_back(t);
            return;
        }
        if (inside_figures(input_, point.x, point.y) != 1 || !builder_.insert_node_if_star(k, end.node))
            return;
        mesh_.number = k;
        chains_.add_node(k);
        ++summary_.interior_nodes_added;
        queue_around(k);
    }

    // Whether `point` lies in the wedge of node k, when k is a corner sharper
    // than 60 degrees on that side.
    bool in_sharp_corner_of(int k, const Point& point) const {
        return chains_.sharp(k) &&
               in_sharp_corner(at(k), at(chains_.previous(k)), at(chains_.next(k)), point);
    }

    // Whether nodes u and w lie at the same distance from node c, to a
    // relative 1e-6: far more than the rounding of a split point.
    bool on_one_shell(int c, int u, int w) const {
        const double du = std::sqrt(distance2(at(c), at(u)));
        const double dw = std::sqrt(distance2(at(c), at(w)));
        return std::fabs(du - dw) <= SAME_SHELL * std::max(du, dw);
    }

    // Writes `point` into the next node row, not yet inserted, and returns
    // the row; a mesh that is full stops the run. Rows of the tables may move.
    int place_new_node(const Point& point) {
        if (mesh_.number + 1 >= node_limit_) stop_at_node_capacity(node_limit_);
        const int k = mesh_.number + 1;
        // The tables were sized for the documented run; they grow by half
        // again whenever the added nodes reach their end.
        if (k + 2 > mesh_.node_rows())
            mesh_.reserve(std::min(node_limit_ + 2, k + 2 + mesh_.node_rows() / 2));
        mesh_.node_xy[k] = point;
        return k;
    }

    // After node k went in: the segments at its neighbours, which its cavity
    // may have taken or it may encroach, and the triangles around it.
    void queue_around(int k) {
        cell_ves(mesh_, k, ves_);
        for (const int e : ves_) {
            const int n = other_node(mesh_, e, k);
            if (n >= FIRST_NODE_ROW && chains_.next(n) != 0) {
                segments_.push_back(chains_.previous(n));
                segments_.push_back(n);
            }
            if (quality_) {
                for (const int v : mesh_.ve_vp[e]) queue_if_bad(v);
            }
        }
    }

    // The segments whose diametral circle holds the point in row k, not yet
    // inserted, into encroached_: among the sides of the triangles whose
    // circumcircle holds it, found from q, the node nearest to it. A segment
    // that is an edge and holds no apex in its circle is covered by the
    // circumcircles of the triangles beside it, so none is missed.
    void gather_encroached(int q, int k) {
        encroached_.clear();
        stack_.clear();
        ++stamp_;
        if (static_cast<int>(seen_.size()) <= mesh_.vp_pool.highest_row) {
            seen_.resize(static_cast<std::size_t>(mesh_.vp_pool.highest_row) + 1, 0);
        }
        const auto visit = [&](int v) {
            auto& seen = seen_[static_cast<std::size_t>(v)];
            if (seen == stamp_ || vp_is_deleted(mesh_, v)) return;
            seen = stamp_;
            if (incircle_value(mesh_, v, k) < 0) stack_.push_back(v);
        };
        cell_ves(mesh_, q, ves_);
        for (const int e : ves_) {
            for (const int v : mesh_.ve_vp[e]) visit(v);
        }
        while (!stack_.empty()) {
            const int v = stack_.back();
            stack_.pop_back();
            const auto nodes = vp_nodes(mesh_, v);
            for (std::size_t i = 0; i < 3; ++i) {
                const int p = nodes[i];
                const int r = nodes[(i + 1) % 3];
                const int start = chains_.next(p) == r ? p : chains_.next(r) == p ? r : 0;
                if (start != 0 && encroaches(at(k), at(start), at(chains_.next(start))) &&
                    std::find(encroached_.begin(), encroached_.end(), start) == encroached_.end()) {
                    encroached_.push_back(start);
                }
            }
            for (const int e : mesh_.vp_ve[v]) visit(other_end(mesh_, e, v));
        }
    }

    VoronoiBuilder& builder_;
    MeshTables& mesh_;
    const InputTables& input_;
    OutlineChains chains_;
    const bool quality_;
    const double bound_;
    const double half_cotangent_;
    double prefilter_cosine_ = 1;
    const int node_limit_;
    const int budget_;
    RefinementSummary summary_;
    std::deque<int> segments_;
    std::deque<QueuedTriangle> triangles_;
    // Working storage, kept between uses.
    std::vector<int> ves_;
    std::vector<int> stack_;
    std::vector<int> encroached_;
    std::vector<unsigned> seen_;
    unsigned stamp_ = 0;
};

}  // namespace

RefinementOutcome refine_mesh(VoronoiBuilder& builder, const InputTables& input, int& last_contour_node,
                              int last_placed, const QualityOptions& options, const RefineProgress& progress,
                              int node_limit) {
    RefinementOutcome outcome;
    Refiner refiner(builder, input, last_contour_node, options, node_limit);
    // The progress hears of the last nodes before the rows are sorted.
    outcome.stopped = !refiner.run(progress) || (progress && progress());
    if (!outcome.stopped) refiner.sort_rows(last_contour_node, last_placed);
    outcome.summary = refiner.summary();
    outcome.summary.ran = true;
    outcome.summary.min_angle = options.min_angle;
    return outcome;
}

}  // namespace tesu
