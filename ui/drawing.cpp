#include "ui/drawing.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/creation_order.h"
#include "engine/geometry.h"

namespace tesu {

namespace {

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

std::vector<Triangle> elements_in_paint_order(const MeshTables& mesh, const FinishedMesh& finished) {
    std::vector<Triangle> elements;
    elements.reserve(finished.triangles.size());
    for (const auto& [p, q, r] : finished.triangles)
        elements.push_back(paint_order(mesh, {p + 3, q + 3, r + 3}));
    return elements;
}

void ElementCache::clear() {
    filled_ = false;
    elements_.clear();
}

const std::vector<Triangle>& ElementCache::elements(const MeshTables& mesh, const FinishedMesh& finished) {
    if (!filled_) {
        elements_ = elements_in_paint_order(mesh, finished);
        filled_ = true;
    }
    return elements_;
}

void paint_mesh(Canvas& canvas, const ViewState& view, const MeshTables& mesh, const FinishedMesh* finished,
                ElementCache& cache) {
    canvas.erase();
    if (finished == nullptr) return;
    for (const Triangle& t : cache.elements(mesh, *finished)) {
        const Point& a = mesh.node_xy[t[0]];
        const Point& b = mesh.node_xy[t[1]];
        const Point& c = mesh.node_xy[t[2]];
        draw_segment(canvas, view, WHITE, a.x, a.y, b.x, b.y);
        draw_segment(canvas, view, WHITE, b.x, b.y, c.x, c.y);
        draw_segment(canvas, view, WHITE, c.x, c.y, a.x, a.y);
    }
}

const QualityBand& quality_band(double smallest_angle) {
    if (!(smallest_angle >= POOR_ANGLE)) return QUALITY_BANDS.front();
    for (const QualityBand& band : QUALITY_BANDS) {
        if (smallest_angle < band.below) return band;
    }
    return QUALITY_BANDS.back();
}

void fill_triangle(Canvas& canvas, int width, int height, ScreenPoint a, ScreenPoint b, ScreenPoint c,
                   Colour colour) {
    const int top = std::max(std::min({a.y, b.y, c.y}), 0);
    const int bottom = std::min(std::max({a.y, b.y, c.y}), height - 1);
    const ScreenPoint edges[3][2] = {{a, b}, {b, c}, {c, a}};
    for (int y = top; y <= bottom; ++y) {
        // The row meets the triangle from `left` to `right`.
        double left = std::numeric_limits<double>::infinity();
        double right = -left;
        for (const auto& [p, q] : edges) {
            if (y < std::min(p.y, q.y) || y > std::max(p.y, q.y)) continue;
            if (p.y == q.y) {
                left = std::min({left, double(p.x), double(q.x)});
                right = std::max({right, double(p.x), double(q.x)});
                continue;
            }
            const double x = p.x + double(y - p.y) * (q.x - p.x) / (q.y - p.y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
        const int first = std::max(static_cast<int>(std::ceil(std::clamp(left, -1.0, double(width)))), 0);
        const int last =
            std::min(static_cast<int>(std::floor(std::clamp(right, -1.0, double(width)))), width - 1);
        for (int x = first; x <= last; ++x) canvas.set_pixel(x, y, colour);
    }
}

void paint_mesh_quality(Canvas& canvas, const ViewState& view, const MeshTables& mesh,
                        const FinishedMesh& finished) {
    canvas.erase();
    for (const bool poor : {false, true}) {
        for (std::size_t i = 0; i < finished.triangles.size(); ++i) {
            const double angle = finished.smallest_angles[i];
            if ((!(angle >= POOR_ANGLE)) != poor) continue;
            const QualityBand& band = quality_band(angle);
            ScreenPoint corners[3];
            for (int j = 0; j < 3; ++j) {
                const Point& p = mesh.node_xy[finished.triangles[i][j] + 3];
                corners[j] = map_to_screen(view, p.x, p.y);
            }
            fill_triangle(canvas, view.client_width, view.client_height, corners[0], corners[1], corners[2],
                          band.fill);
            for (int j = 0; j < 3; ++j) {
                const ScreenPoint from = corners[j];
                const ScreenPoint to = corners[(j + 1) % 3];
                canvas.line(from.x, from.y, to.x, to.y, band.edge);
            }
        }
    }
}

bool draw_voronoi(Canvas& canvas, const ViewState& view, const MeshTables& mesh) {
    bool all_finite = true;
    for (const int e : live_ves_in_creation_order(mesh)) {
        const int a = mesh.ve_vp[e][0];
        const int b = mesh.ve_vp[e][1];
        // Vps 1 to 3, at infinity, are never deleted, so their rows are never
        // taken by others.
        if (a < FIRST_FINITE_VP || b < FIRST_FINITE_VP) continue;
        double ax = 0, ay = 0, bx = 0, by = 0;
        if (!vp_centre(mesh, a, ax, ay) || !vp_centre(mesh, b, bx, by)) {
            all_finite = false;
            continue;
        }
        draw_segment(canvas, view, CYAN, ax, ay, bx, by);
    }
    return all_finite;
}

}  // namespace tesu
