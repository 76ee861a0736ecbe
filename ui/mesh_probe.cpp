#include "ui/mesh_probe.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tesu {

namespace {

bool is_point(const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

double cross(const Point& a, const Point& b, double x, double y) {
    return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
}

bool holds(const Point& a, const Point& b, const Point& c, double x, double y) {
    const double ab = cross(a, b, x, y);
    const double bc = cross(b, c, x, y);
    const double ca = cross(c, a, x, y);
    return (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
}

// Fills the lists in two passes over the items: `cells` calls its argument
// with each cell an item lies in.
template <typename ForEachCell>
void fill(std::vector<std::uint32_t>& start, std::vector<int>& items, std::size_t cell_count, int item_count,
          ForEachCell cells) {
    start.assign(cell_count + 1, 0);
    for (int i = 0; i < item_count; ++i) cells(i, [&](std::size_t c) { ++start[c + 1]; });
    for (std::size_t c = 0; c < cell_count; ++c) start[c + 1] += start[c];
    items.resize(start[cell_count]);
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (int i = 0; i < item_count; ++i) cells(i, [&](std::size_t c) { items[next[c]++] = i; });
}

}  // namespace

void MeshProbe::clear() {
    built_ = false;
    nodes_ = {};
    elements_ = {};
}

// Clamped before the conversion, which a coordinate far off the grid would
// overflow.
int MeshProbe::column_of(double x) const {
    return static_cast<int>(std::clamp(std::floor((x - min_x_) / cell_size_), 0.0, columns_ - 1.0));
}

int MeshProbe::row_of(double y) const {
    return static_cast<int>(std::clamp(std::floor((y - min_y_) / cell_size_), 0.0, rows_ - 1.0));
}

void MeshProbe::build(const FinishedMesh& mesh) {
    built_ = true;
    const int node_count = static_cast<int>(mesh.drawing_nodes.size());
    min_x_ = min_y_ = std::numeric_limits<double>::infinity();
    max_x_ = max_y_ = -min_x_;
    for (int n = 1; n <= node_count; ++n) {
        const Point& p = mesh.drawing_node(n);
        if (!is_point(p)) continue;
        min_x_ = std::min(min_x_, p.x);
        max_x_ = std::max(max_x_, p.x);
        min_y_ = std::min(min_y_, p.y);
        max_y_ = std::max(max_y_, p.y);
    }
    if (min_x_ > max_x_) min_x_ = max_x_ = min_y_ = max_y_ = 0;
    // About two nodes a cell, and no more than 4096 cells along a side.
    const double width = max_x_ - min_x_;
    const double height = max_y_ - min_y_;
    const double cells = std::max(node_count / 2, 1);
    cell_size_ = std::max({std::sqrt(width * height / cells), std::max(width, height) / 4096, 1e-9});
    columns_ = static_cast<int>(width / cell_size_) + 1;
    rows_ = static_cast<int>(height / cell_size_) + 1;
    const auto cell_count = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);

    fill(nodes_.start, nodes_.items, cell_count, node_count + 1, [&](int n, const auto& add) {
        if (n == 0 || !is_point(mesh.drawing_node(n))) return;
        const Point& p = mesh.drawing_node(n);
        add(static_cast<std::size_t>(row_of(p.y)) * columns_ + column_of(p.x));
    });
    const int element_count = static_cast<int>(mesh.triangles.size());
    fill(elements_.start, elements_.items, cell_count, element_count, [&](int e, const auto& add) {
        const auto& [p, q, r] = mesh.triangles[static_cast<std::size_t>(e)];
        const Point& a = mesh.drawing_node(p);
        const Point& b = mesh.drawing_node(q);
        const Point& c = mesh.drawing_node(r);
        if (!is_point(a) || !is_point(b) || !is_point(c)) return;
        const int last_column = column_of(std::max({a.x, b.x, c.x}));
        const int last_row = row_of(std::max({a.y, b.y, c.y}));
        for (int row = row_of(std::min({a.y, b.y, c.y})); row <= last_row; ++row) {
            for (int column = column_of(std::min({a.x, b.x, c.x})); column <= last_column; ++column)
                add(static_cast<std::size_t>(row) * columns_ + column);
        }
    });
}

int MeshProbe::node_near(const FinishedMesh& mesh, double x, double y, double radius) {
    if (!built_) build(mesh);
    if (!std::isfinite(x) || !std::isfinite(y) || !(radius >= 0)) return 0;
    if (x + radius < min_x_ || x - radius > max_x_ || y + radius < min_y_ || y - radius > max_y_) return 0;
    int nearest = 0;
    double best = radius * radius;
    const int last_row = row_of(y + radius);
    const int last_column = column_of(x + radius);
    for (int row = row_of(y - radius); row <= last_row; ++row) {
        for (int column = column_of(x - radius); column <= last_column; ++column) {
            const std::size_t c = static_cast<std::size_t>(row) * columns_ + column;
            for (std::uint32_t i = nodes_.start[c]; i < nodes_.start[c + 1]; ++i) {
                const int n = nodes_.items[i];
                const Point& p = mesh.drawing_node(n);
                const double d = (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y);
                if (d < best || (d == best && (nearest == 0 || n < nearest))) {
                    best = d;
                    nearest = n;
                }
            }
        }
    }
    return nearest;
}

int MeshProbe::element_at(const FinishedMesh& mesh, double x, double y) {
    if (!built_) build(mesh);
    if (!(x >= min_x_ && x <= max_x_ && y >= min_y_ && y <= max_y_)) return 0;
    const std::size_t c = static_cast<std::size_t>(row_of(y)) * columns_ + column_of(x);
    for (std::uint32_t i = elements_.start[c]; i < elements_.start[c + 1]; ++i) {
        const int e = elements_.items[i];
        const auto& [p, q, r] = mesh.triangles[static_cast<std::size_t>(e)];
        if (holds(mesh.drawing_node(p), mesh.drawing_node(q), mesh.drawing_node(r), x, y)) return e + 1;
    }
    return 0;
}

}  // namespace tesu
