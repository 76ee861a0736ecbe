#include "output/svg_picture.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "output/atomic_file.h"
#include "output/text_sink.h"

namespace tesu {

namespace {

struct Extent {
    double min_x = std::numeric_limits<double>::infinity();
    double min_y = std::numeric_limits<double>::infinity();
    double max_x = -std::numeric_limits<double>::infinity();
    double max_y = -std::numeric_limits<double>::infinity();

    void add(const Point& p) {
        min_x = std::min(min_x, p.x);
        min_y = std::min(min_y, p.y);
        max_x = std::max(max_x, p.x);
        max_y = std::max(max_y, p.y);
    }
    bool empty() const { return !(min_x <= max_x && min_y <= max_y); }
};

// Shortest text that reads back as the same double.
void number(TextSink& out, double value) {
    char digits[32];
    out.text(std::string_view(
        digits, static_cast<std::size_t>(std::to_chars(digits, digits + 32, value).ptr - digits)));
}

// SVG's y grows downward: the picture is drawn with y negated.
void point(TextSink& out, const Point& p) {
    number(out, p.x);
    out.text(",");
    number(out, 0.0 - p.y);  // not -p.y, which prints 0 as "-0"
}

Extent picture_extent(const FinishedMesh& mesh) {
    Extent extent;
    for (const FinishedFigure& figure : mesh.figures) {
        for (const Point& p : figure.outline) extent.add(p);
    }
    for (const Point& p : mesh.nodes) extent.add(p);
    if (extent.empty()) extent = {0, 0, 1, 1};
    return extent;
}

void write_elements(TextSink& out, const FinishedMesh& mesh, double stroke) {
    out.text("<path fill=\"none\" stroke=\"#3060c0\" stroke-linejoin=\"round\" stroke-width=\"");
    number(out, stroke);
    out.text("\" d=\"");
    for (const auto& [p, q, r] : mesh.triangles) {
        out.text("M");
        point(out, mesh.node(p));
        out.text("L");
        point(out, mesh.node(q));
        out.text("L");
        point(out, mesh.node(r));
        out.text("Z\n");
    }
    out.text("\"/>\n");
}

void write_outlines(TextSink& out, const FinishedMesh& mesh, double stroke) {
    for (const FinishedFigure& figure : mesh.figures) {
        out.text("<polyline fill=\"none\" stroke=\"black\" stroke-linejoin=\"round\" stroke-width=\"");
        number(out, stroke);
        out.text("\" points=\"");
        for (const Point& p : figure.outline) {
            point(out, p);
            out.text(" ");
        }
        out.text("\"/>\n");
    }
}

}  // namespace

bool write_svg_picture(const std::string& path, const FinishedMesh& mesh) {
    AtomicFile file(path);
    if (!file.is_open()) return false;
    TextSink out([&file](std::string_view block) { return file.write(block); });

    const Extent extent = picture_extent(mesh);
    const double size = std::max({extent.max_x - extent.min_x, extent.max_y - extent.min_y, 1e-9});
    const double margin = size * 0.05;
    const Point corner{extent.min_x - margin, -extent.max_y - margin};
    const Point span{extent.max_x - extent.min_x + 2 * margin, extent.max_y - extent.min_y + 2 * margin};
    // Both sizes, in the proportions of the view box: a viewer that takes
    // only the width may not derive the height from the view box.
    const double width = 800;
    out.text(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"");
    number(out, width);
    out.text("\" height=\"");
    number(out, width * span.y / span.x);
    out.text("\" viewBox=\"");
    number(out, corner.x);
    out.text(" ");
    number(out, corner.y);
    out.text(" ");
    number(out, span.x);
    out.text(" ");
    number(out, span.y);
    out.text("\">\n<rect fill=\"white\" x=\"");
    number(out, corner.x);
    out.text("\" y=\"");
    number(out, corner.y);
    out.text("\" width=\"");
    number(out, span.x);
    out.text("\" height=\"");
    number(out, span.y);
    out.text("\"/>\n");
    write_elements(out, mesh, size * 0.001);
    write_outlines(out, mesh, size * 0.004);
    out.text("</svg>\n");
    return out.finish() && file.commit();
}

}  // namespace tesu
