#include "ui/drawing.h"

#include <utility>

#include "engine/creation_order.h"
#include "engine/geometry.h"
#include "input/inside_test.h"

namespace tesu {

namespace {

inline constexpr double ONE_THIRD = 0.3333333333333333;

// vps 1 to 3 lie at infinity.
inline constexpr int FIRST_FINITE_VP = 4;

}  // namespace

void draw_segment(Canvas& canvas, const ViewState& view, Colour colour, double x0, double y0, double x1,
                  double y1) {
    const ScreenPoint a = map_to_screen(view, x0, y0);
    const ScreenPoint b = map_to_screen(view, x1, y1);
    canvas.line(a.x, a.y, b.x, b.y, colour);
}

void plot_dot(Canvas& canvas, const ViewState& view, double x, double y) {
    const double k = base_factor(view);
    const double px = x * k;
    const double py = y * k;
    // Far off the client area the point is lost anyway; this keeps the
    // conversion to int defined.
    constexpr double LIMIT = 1e9;
    if (!(px > -LIMIT && px < LIMIT && py > -LIMIT && py < LIMIT)) return;
    canvas.set_pixel(static_cast<int>(px), static_cast<int>(py), YELLOW);
}

Triangle paint_order(const MeshTables& mesh, Triangle nodes) {
    auto& [a, b, c] = nodes;
    const auto x = [&mesh](int n) { return mesh.node_xy[n].x; };
    const auto y = [&mesh](int n) { return mesh.node_xy[n].y; };
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

std::vector<Triangle> elements_in_paint_order(const MeshTables& mesh, const InputTables& input) {
    std::vector<Triangle> elements;
    for (const int v : triangles_in_creation_order(mesh)) {
        const Triangle t = paint_order(mesh, vp_nodes(mesh, v));
        const Point& a = mesh.node_xy[t[0]];
        const Point& b = mesh.node_xy[t[1]];
        const Point& c = mesh.node_xy[t[2]];
        const double gx = (a.x + b.x + c.x) * ONE_THIRD;
        const double gy = (a.y + b.y + c.y) * ONE_THIRD;
        if (inside_figures(input, gx, gy)) elements.push_back(t);
    }
    return elements;
}

void ElementCache::clear() {
    filled_ = false;
    elements_.clear();
}

const std::vector<Triangle>& ElementCache::elements(const MeshTables& mesh, const InputTables& input) {
    if (!filled_) {
        elements_ = elements_in_paint_order(mesh, input);
        filled_ = true;
    }
    return elements_;
}

void paint_mesh(Canvas& canvas, const ViewState& view, const MeshTables& mesh, const InputTables& input,
                int mesh_ready, ElementCache& cache) {
    canvas.erase();
    if (!mesh_ready) return;
    for (const Triangle& t : cache.elements(mesh, input)) {
        const Point& a = mesh.node_xy[t[0]];
        const Point& b = mesh.node_xy[t[1]];
        const Point& c = mesh.node_xy[t[2]];
        draw_segment(canvas, view, WHITE, a.x, a.y, b.x, b.y);
        draw_segment(canvas, view, WHITE, b.x, b.y, c.x, c.y);
        draw_segment(canvas, view, WHITE, c.x, c.y, a.x, a.y);
    }
}

void draw_voronoi(Canvas& canvas, const ViewState& view, const MeshTables& mesh, int mesh_ready,
                  Platform& platform) {
    if (!mesh_ready) return;
    for (const int e : live_ves_in_creation_order(mesh)) {
        const int a = mesh.ve_vp[e][0];
        const int b = mesh.ve_vp[e][1];
        // Vps 1 to 3, at infinity, are never deleted, so their rows are never
        // taken by others.
        if (a < FIRST_FINITE_VP || b < FIRST_FINITE_VP) continue;
        double ax = 0, ay = 0, bx = 0, by = 0;
        vp_centre(mesh, a, ax, ay, platform);
        vp_centre(mesh, b, bx, by, platform);
        draw_segment(canvas, view, CYAN, ax, ay, bx, by);
    }
}

}  // namespace tesu
