// Building input tables by hand, in drawing units, for the node generation,
// inside test and spacing tests.
#pragma once

#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <vector>

#include "input/input_tables.h"
#include "ui/headless_platform.h"

namespace tesu::testing {

// Appends a closed figure: its vertices, then the first one again.
inline void add_figure(InputTables& input, const std::vector<Point>& vertices) {
    for (const Point& p : vertices) input.outline_xy[input.outline_point_count++] = p;
    input.outline_xy[input.outline_point_count++] = vertices.front();
    input.figure_end[input.figure_count++] = input.outline_point_count - 1;
}

inline std::vector<Point> rectangle(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

inline std::vector<Point> circle(double cx, double cy, double radius, int points) {
    std::vector<Point> vertices;
    for (int i = 0; i < points; ++i) {
        const double angle = 2 * std::numbers::pi * i / points;
        vertices.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
    }
    return vertices;
}

// A star-shaped polygon with random radii around (cx, cy).
inline std::vector<Point> random_polygon(std::mt19937& random, double cx, double cy, double radius,
                                         int points) {
    std::uniform_real_distribution<double> scale(0.2, 1.0);
    std::vector<Point> vertices;
    for (int i = 0; i < points; ++i) {
        const double angle = 2 * std::numbers::pi * i / points;
        const double r = radius * scale(random);
        vertices.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    return vertices;
}

inline void add_density_row(InputTables& input, double x, double y, double radius, double reach) {
    input.density_spec[input.density_spec_count++] = {x, y, radius, reach};
}

// Seconds that a plain and an indexed query take for the same calls, cycling
// over the lattice points of the drawing square, printed with their ratio;
// their summed answers must agree.
template <typename Plain, typename Indexed>
double speed_up(const char* what, int calls, Plain plain, Indexed indexed) {
    std::vector<Point> lattice;
    for (double y = 0; y <= 399; y += 1.7) {
        for (double x = 0; x <= 399; x += 1.3) lattice.push_back({x, y});
    }
    const auto seconds = [&](auto query, double& sum) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i) {
            const Point& p = lattice[static_cast<std::size_t>(i) % lattice.size()];
            sum += query(p.x, p.y);
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    double plain_sum = 0;
    double indexed_sum = 0;
    const double plain_seconds = seconds(plain, plain_sum);
    const double indexed_seconds = seconds(indexed, indexed_sum);
    std::printf("%s, %d calls: plain %.3f s, indexed %.3f s, ratio %.1f\n", what, calls, plain_seconds,
                indexed_seconds, plain_seconds / indexed_seconds);
    return plain_sum == indexed_sum ? plain_seconds / indexed_seconds : 0;
}

// Thrown from HeadlessPlatform::on_fatal instead of ending the test program.
struct FatalEnding {
    int status;
};

inline void throw_on_fatal(HeadlessPlatform& platform) {
    platform.on_fatal = [](int status) { throw FatalEnding{status}; };
}

}  // namespace tesu::testing
