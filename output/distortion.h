// Distortion statistics of the elements: how many elements have their
// smallest interior angle in each whole degree, written at the end of the
// result file grouped into bins of 1, 2 or 3 degrees.
#pragma once

#include <array>

#include "engine/mesh_tables.h"
#include "output/text_sink.h"

namespace tesu {

// Counter b holds the elements whose smallest angle truncates to b degrees;
// counter 59 also takes 60.
using DistortionBins = std::array<int, 60>;

// Smallest interior angle in degrees by the law of cosines; 0 for a triangle
// with a side of zero length.
double smallest_angle(const Point& p, const Point& q, const Point& r);

// Counts one element by its smallest angle in degrees.
void add_distortion(DistortionBins& bins, double degrees);

// Writes the section when histogram_step (the bin width) is 1, 2 or 3;
// nothing otherwise.
void write_distortion_section(TextSink& out, const DistortionBins& bins, int histogram_step,
                              int element_count);

}  // namespace tesu
