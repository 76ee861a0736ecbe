// The contents of one coordinate data file, as read and, once the run has
// normalised them, in drawing units (the figures fill 0 to DRAWING_SIDE along
// their longer side, Y growing downward).
#pragma once

#include <string>
#include <vector>

#include "engine/mesh_tables.h"
#include "input/density_field.h"
#include "input/growing_table.h"
#include "input/outline_index.h"

namespace tesu {

// The figures span 0 to DRAWING_SIDE drawing units along their longer side.
inline constexpr double DRAWING_SIDE = 399.0;

// The most rows of each kind that a data file may give; the tables hold only
// the rows written.
inline constexpr int OUTLINE_CAPACITY = 100'000;
inline constexpr int FIGURE_CAPACITY = 10'000;
inline constexpr int DENSITY_SPEC_CAPACITY = 100'000;
inline constexpr int DIVISION_CAPACITY = 100'000;
// Longest path Linux accepts, without its terminating zero.
inline constexpr std::size_t PATH_CAPACITY = 4095;

struct DensitySpec {
    double x;
    double y;
    double radius;
    double reach;
};

// A data line read only in part: fewer numbers than its section takes, or
// its last number running straight into other text. It is read all the same,
// as far as it goes, and only reported.
struct PartialLine {
    int number;        // in the file, from 1
    std::string text;  // without its line end
};

struct InputTables {
    std::string input_file_name;

    GrowingTable<Point> outline_xy;
    int outline_point_count = 0;
    // figure_end[f] is the row of outline_xy that closes figure f.
    GrowingTable<int> figure_end;
    int figure_count = 0;

    double basic_density = 0;
    GrowingTable<DensitySpec> density_spec;
    int density_spec_count = 0;
    double span = 0;
    GrowingTable<Point> division_xy;
    int division_node_count = 0;
    // The lines read only in part, in file order.
    std::vector<PartialLine> partial_lines;

    // Set by normalise_input: X = (x - data_min_x) * data_scale,
    // Y = DRAWING_SIDE - (y - data_min_y) * data_scale.
    double data_scale = 0;
    double data_min_x = 0;
    double data_min_y = 0;

    // Built by normalise_input from the converted tables, which must not
    // change afterwards; tables filled in drawing units by hand can build
    // them too. Until then the inside test and the spacing scan everything.
    OutlineIndex outline_index;
    DensityIndex density_index;
};

// First row of figure f in outline_xy.
inline int figure_start(const InputTables& input, int f) { return f == 0 ? 0 : input.figure_end[f - 1] + 1; }

}  // namespace tesu
