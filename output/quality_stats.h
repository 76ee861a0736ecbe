// A short quality summary of a finished mesh, for the batch program's
// --stats: counts, extreme angles, a histogram of smallest angles, the worst
// element, extreme edge lengths, how much of the figures the elements cover,
// whether they follow the outlines, and what the quality refinement added.
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
    // Segments between consecutive outline nodes that no element has as an
    // edge: where the elements cut across the outline.
    int missing_segments = 0;
    // Elements whose smallest angle lies at an outline corner sharper than 60
    // degrees on their side, where no mesh that keeps the outline does
    // better, and the smallest angle of all the others (degrees).
    int sharp_corner_elements = 0;
    double smallest_angle_elsewhere = 0;
    bool any_elsewhere = false;
    RefinementSummary refinement;
};

QualityStats measure_quality(const FinishedMesh& mesh);

// The summary as printed, one "name: value" line each, headed by the data
// file's name. Values that need an element read "-" in a mesh without any.
std::string format_quality(const QualityStats& stats, std::string_view data_file);

}  // namespace tesu
