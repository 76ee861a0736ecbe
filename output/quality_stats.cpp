#include "output/quality_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "output/degrees.h"
#include "output/outline_conformity.h"
#include "output/sharp_corners.h"

namespace tesu {

namespace {

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

// Counts the elements whose smallest angle lies in a sharp outline corner,
// and finds the smallest angle of the others. The smallest angle lies
// opposite the shortest side.
void measure_sharp_corners(const FinishedMesh& mesh, QualityStats& stats) {
    std::vector<std::array<int, 2>> beside(mesh.nodes.size() + 1, {0, 0});
    for (const FinishedFigure& figure : mesh.figures) {
        const std::size_t n = figure.loop.size();
        if (n < 3) continue;
        for (std::size_t i = 0; i < n; ++i) {
            beside[static_cast<std::size_t>(figure.loop[i])] = {figure.loop[(i + n - 1) % n],
                                                                figure.loop[(i + 1) % n]};
        }
    }
    for (std::size_t i = 0; i < mesh.elements.size(); ++i) {
        const auto& nodes = mesh.elements[i];
        std::size_t apex = 0;
        double shortest = -1;
        for (std::size_t j = 0; j < 3; ++j) {
            const double side = length(mesh.node(nodes[(j + 1) % 3]), mesh.node(nodes[(j + 2) % 3]));
            if (shortest < 0 || side < shortest) shortest = side, apex = j;
        }
        const int corner = nodes[apex];
        const auto [before, after] = beside[static_cast<std::size_t>(corner)];
        const Point& a = mesh.node(nodes[0]);
        const Point& b = mesh.node(nodes[1]);
        const Point& c = mesh.node(nodes[2]);
        const Point centroid{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3};
        if (before != 0 &&
            in_sharp_corner(mesh.node(corner), mesh.node(before), mesh.node(after), centroid)) {
            ++stats.sharp_corner_elements;
        } else if (!stats.any_elsewhere || mesh.smallest_angles[i] < stats.smallest_angle_elsewhere) {
            stats.smallest_angle_elsewhere = mesh.smallest_angles[i];
            stats.any_elsewhere = true;
        }
    }
}

}  // namespace

QualityStats measure_quality(const FinishedMesh& mesh) {
    QualityStats stats;
    stats.node_count = static_cast<int>(mesh.nodes.size());
    stats.element_count = static_cast<int>(mesh.elements.size());
    for (const FinishedFigure& figure : mesh.figures) {
        stats.figure_area += figure.is_hole ? -figure.area : figure.area;
    }
    stats.missing_segments = static_cast<int>(missing_outline_segments(mesh).size());
    stats.refinement = mesh.refinement;
    if (mesh.elements.empty()) return stats;
    measure_sharp_corners(mesh, stats);

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
    line(text, "outline segments not element edges", std::to_string(stats.missing_segments));
    line(text, "elements at corners sharper than 60 degrees", std::to_string(stats.sharp_corner_elements));
    line(text, "smallest angle elsewhere",
         stats.any_elsewhere ? fixed(stats.smallest_angle_elsewhere) : std::string("-"));
    if (stats.refinement.ran) {
        line(text, "nodes added on outlines", std::to_string(stats.refinement.outline_nodes_added));
        line(text, "nodes added inside", std::to_string(stats.refinement.interior_nodes_added));
        if (stats.refinement.budget_reached) line(text, "refinement", "stopped at its budget of added nodes");
    }
    return text;
}

}  // namespace tesu
