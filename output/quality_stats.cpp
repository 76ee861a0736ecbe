#include "output/quality_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tesu {

namespace {

inline constexpr double DEGREES_PER_RADIAN = 57.29577951308232;

double length(const Point& a, const Point& b) { return std::hypot(b.x - a.x, b.y - a.y); }

// The angle at `at` between the sides to `b` and `c`, in degrees.
double angle_at(const Point& at, const Point& b, const Point& c) {
    const double ab = length(at, b);
    const double ac = length(at, c);
    const double bc = length(b, c);
    const double cosine = (ab * ab + ac * ac - bc * bc) / (2 * ab * ac);
    // Rounding on a very thin triangle can push the cosine just past 1 or -1.
    return std::acos(std::clamp(cosine, -1.0, 1.0)) * DEGREES_PER_RADIAN;
}

// A triangle with two corners at one place is flat: 180 degrees.
double largest_angle(const Point& p, const Point& q, const Point& r) {
    if (length(p, q) == 0 || length(q, r) == 0 || length(r, p) == 0) return 180;
    return std::max({angle_at(p, q, r), angle_at(q, r, p), angle_at(r, p, q)});
}

// Ten-degree bin of a smallest angle, truncated to whole degrees first as the
// distortion histogram does.
std::size_t bin_of(double degrees) {
    const int whole = degrees < 60 ? (degrees < 0 ? 0 : static_cast<int>(degrees)) : 59;
    return static_cast<std::size_t>(whole / 10);
}

void line(std::string& text, std::string_view name, std::string_view value) {
    text += name;
    text += ": ";
    text += value;
    text += '\n';
}

std::string fixed(double value) {
    char digits[400];
    std::snprintf(digits, sizeof digits, "%.6f", value);
    return digits;
}

}  // namespace

QualityStats measure_quality(const FinishedMesh& mesh) {
    QualityStats stats;
    stats.node_count = static_cast<int>(mesh.nodes.size());
    stats.element_count = static_cast<int>(mesh.elements.size());
    for (const FinishedFigure& figure : mesh.figures) {
        stats.figure_area += figure.is_hole ? -figure.area : figure.area;
    }
    if (mesh.elements.empty()) return stats;

    stats.smallest_angle = mesh.smallest_angles[0];
    stats.shortest_edge = length(mesh.node(mesh.elements[0][0]), mesh.node(mesh.elements[0][1]));
    stats.longest_edge = stats.shortest_edge;
    for (std::size_t i = 0; i < mesh.elements.size(); ++i) {
        const auto& [p, q, r] = mesh.elements[i];
        const Point& a = mesh.node(p);
        const Point& b = mesh.node(q);
        const Point& c = mesh.node(r);
        const double smallest = mesh.smallest_angles[i];
        ++stats.smallest_angle_bins[bin_of(smallest)];
        if (smallest < stats.smallest_angle || stats.worst_element == 0) {
            stats.smallest_angle = smallest;
            stats.worst_element = static_cast<int>(i + 1);
            stats.worst_nodes = mesh.elements[i];
        }
        stats.largest_angle = std::max(stats.largest_angle, largest_angle(a, b, c));
        for (const double side : {length(a, b), length(b, c), length(c, a)}) {
            stats.shortest_edge = std::min(stats.shortest_edge, side);
            stats.longest_edge = std::max(stats.longest_edge, side);
        }
        // Counter-clockwise, so the cross product is twice the area.
        stats.element_area += ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
    }
    return stats;
}

std::string format_quality(const QualityStats& stats, std::string_view data_file) {
    const bool any = stats.element_count > 0;
    const auto or_dash = [any](double value) { return any ? fixed(value) : std::string("-"); };
    std::string text = "mesh quality: ";
    text += data_file;
    text += '\n';
    line(text, "nodes", std::to_string(stats.node_count));
    line(text, "elements", std::to_string(stats.element_count));
    line(text, "smallest angle", or_dash(stats.smallest_angle));
    line(text, "largest angle", or_dash(stats.largest_angle));
    for (std::size_t b = 0; b < stats.smallest_angle_bins.size(); ++b) {
        const std::string name =
            "elements with smallest angle " + std::to_string(10 * b) + "-" + std::to_string(10 * b + 10);
        line(text, name, std::to_string(stats.smallest_angle_bins[b]));
    }
    std::string worst = "-";
    if (any) {
        worst = std::to_string(stats.worst_element) + " (nodes " + std::to_string(stats.worst_nodes[0]) +
                " " + std::to_string(stats.worst_nodes[1]) + " " + std::to_string(stats.worst_nodes[2]) + ")";
    }
    line(text, "worst element", worst);
    line(text, "shortest edge", or_dash(stats.shortest_edge));
    line(text, "longest edge", or_dash(stats.longest_edge));
    const bool has_area = stats.figure_area > 0;
    line(text, "area ratio", has_area ? fixed(stats.element_area / stats.figure_area) : std::string("-"));
    return text;
}

}  // namespace tesu
