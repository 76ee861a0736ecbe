// Building input tables by hand, in drawing units, for the node generation,
// inside test and spacing tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <vector>

#include "engine/error.h"
#include "input/input_tables.h"

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

// The failure `stage` throws; empty, and the test failed, when it throws none.
template <typename F>
std::optional<Error> failure_of(F stage) {
    try {
        stage();
    } catch (const Error& error) {
        return error;
    }
    ADD_FAILURE() << "no error";
    return std::nullopt;
}

}  // namespace tesu::testing
