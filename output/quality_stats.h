// A short quality summary of a finished mesh, for the batch program's
// --stats: counts, extreme angles, a histogram of smallest angles, the worst
// element, extreme edge lengths and how much of the figures the elements
// cover.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "output/finished_mesh.h"

namespace tesu {

struct QualityStats {
    int node_count = 0;
    int element_count = 0;
    // Degrees. Smallest angles are measured as the distortion histogram
    // measures them, and binned by the same truncation (60 counts in 50-60).
    double smallest_angle = 0;
    double largest_angle = 0;
    std::array<int, 6> smallest_angle_bins{};  // 0-10, 10-20, ..., 50-60
    // The element with the smallest angle (the first of equals): its number
    // in result-file order and its nodes in element order.
    int worst_element = 0;
    std::array<int, 3> worst_nodes{};
    // File units.
    double shortest_edge = 0;
    double longest_edge = 0;
    double element_area = 0;
    // Outer figures count positive, holes negative.
    double figure_area = 0;
};

QualityStats measure_quality(const FinishedMesh& mesh);

// The summary as printed, one "name: value" line each, headed by the data
// file's name. Values that need an element read "-" in a mesh without any.
std::string format_quality(const QualityStats& stats, std::string_view data_file);

}  // namespace tesu
