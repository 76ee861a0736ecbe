// Building input tables by hand, in drawing units, for the node generation,
// inside test and spacing tests.
#pragma once

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "engine/error.h"
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

// What the node stages leave for the later ones.
struct PlacedNodes {
    int last_contour_node = 3;
};

// Thrown on by shown_stage for a failure that ends the program.
struct FatalEnding {
    int status;
};

// Runs a node stage as the run does: a refusal is shown through `platform`
// and gives false; a failure that ends the program is shown, then thrown on
// as FatalEnding.
template <typename F>
bool shown_stage(HeadlessPlatform& platform, F stage) {
    try {
        stage();
        return true;
    } catch (const Error& error) {
        platform.message_box(error.caption(), error.text(), Buttons::ok);
        if (error.ends_program()) throw FatalEnding{EXIT_STATUS_FATAL};
        return false;
    }
}

// The last row placed by the division stage, -1 when it refused the points.
template <typename F>
int placed_divisions(HeadlessPlatform& platform, F stage) {
    int last = -1;
    return shown_stage(platform, [&] { last = stage(); }) ? last : -1;
}

}  // namespace tesu::testing
