#include "ui/drawing.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "output/element_order.h"

namespace tesu {

namespace {

// Fills the triangle between three client pixels, its edges included, in
// a client area of the given size.
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

// The elements of the finished mesh, each in paint order.
std::vector<Triangle> elements_in_paint_order(const FinishedMesh& finished) {
    // Node number n at xy[n - 1]; a span of its own, so that the vector is
    // not looked up again for every node.
    const std::span<const Point> xy(finished.drawing_nodes);
    const auto at = [xy](int n) -> const Point& { return xy[static_cast<std::size_t>(n - 1)]; };
    std::vector<Triangle> elements;
    elements.reserve(finished.triangles.size());
    for (const Triangle& t : finished.triangles) elements.push_back(paint_order(t, at));
    return elements;
}

// The band of a smallest angle; an angle that is no number counts as poor.
const QualityBand& quality_band(double smallest_angle) {
    if (!(smallest_angle >= POOR_ANGLE)) return QUALITY_BANDS.front();
    for (const QualityBand& band : QUALITY_BANDS) {
        if (smallest_angle < band.below) return band;
    }
    return QUALITY_BANDS.back();
}

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

void ElementCache::clear() {
    filled_ = false;
    elements_.clear();
}

const std::vector<Triangle>& ElementCache::elements(const FinishedMesh& finished) {
    if (!filled_) {
        elements_ = elements_in_paint_order(finished);
        filled_ = true;
    }
    return elements_;
}

void paint_mesh(Canvas& canvas, const ViewState& view, const FinishedMesh* finished, ElementCache& cache) {
    canvas.erase();
    if (finished == nullptr) return;
    // Node number n at xy[n - 1]; a span of its own, which the canvas calls
    // cannot change, so the vector is not looked up again after each one.
    const std::span<const Point> xy(finished->drawing_nodes);
    for (const Triangle& t : cache.elements(*finished)) {
        const Point& a = xy[static_cast<std::size_t>(t[0] - 1)];
        const Point& b = xy[static_cast<std::size_t>(t[1] - 1)];
        const Point& c = xy[static_cast<std::size_t>(t[2] - 1)];
        draw_segment(canvas, view, WHITE, a.x, a.y, b.x, b.y);
        draw_segment(canvas, view, WHITE, b.x, b.y, c.x, c.y);
        draw_segment(canvas, view, WHITE, c.x, c.y, a.x, a.y);
    }
}

void paint_mesh_quality(Canvas& canvas, const ViewState& view, const FinishedMesh& finished) {
    canvas.erase();
    for (const bool poor : {false, true}) {
        for (std::size_t i = 0; i < finished.triangles.size(); ++i) {
            const double angle = finished.smallest_angles[i];
            if ((!(angle >= POOR_ANGLE)) != poor) continue;
            const QualityBand& band = quality_band(angle);
            ScreenPoint corners[3];
            for (int j = 0; j < 3; ++j) {
                const Point& p = finished.drawing_node(finished.triangles[i][j]);
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

void draw_voronoi(Canvas& canvas, const ViewState& view, std::span<const Segment> edges) {
    for (const Segment& edge : edges)
        draw_segment(canvas, view, CYAN, edge.from.x, edge.from.y, edge.to.x, edge.to.y);
}

}  // namespace tesu
