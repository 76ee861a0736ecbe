#include "output/distortion.h"

#include <algorithm>
#include <cmath>

#include "output/cp932_labels.h"
#include "output/degrees.h"

namespace tesu {

namespace {

// Rounding on a very thin triangle can push a cosine just outside [-1, 1].
double angle_from_cosine(double cosine) { return std::acos(std::clamp(cosine, -1.0, 1.0)); }

}  // namespace

double smallest_angle(const Point& p, const Point& q, const Point& r) {
    const double pq2 = (q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y);
    const double pr2 = (p.x - r.x) * (p.x - r.x) + (p.y - r.y) * (p.y - r.y);
    const double qr2 = (q.x - r.x) * (q.x - r.x) + (q.y - r.y) * (q.y - r.y);
    // Two nodes at one place: the true smallest angle is 0.
    if (!(pq2 > 0 && pr2 > 0 && qr2 > 0)) return 0;
    const double pq = std::sqrt(pq2);
    const double pr = std::sqrt(pr2);
    const double qr = std::sqrt(qr2);

    const double at_p = angle_from_cosine((pq2 + pr2 - qr2) / (2 * pq * pr));
    const double at_q = angle_from_cosine((pq2 + qr2 - pr2) / (2 * pq * qr));
    const double at_r = angle_from_cosine((pr2 + qr2 - pq2) / (2 * qr * pr));
    // Infinite coordinates give NaN cosines; count such a triangle as flat.
    if (std::isnan(at_p) || std::isnan(at_q) || std::isnan(at_r)) return 0;
    double smallest = at_q < at_p ? at_q : at_p;
    if (at_r < smallest) smallest = at_r;
    return smallest * DEGREES_PER_RADIAN;
}

void add_distortion(DistortionBins& bins, double degrees) {
    int bin = 59;
    if (degrees < 60) bin = degrees < 0 ? 0 : static_cast<int>(degrees);
    ++bins[static_cast<std::size_t>(bin)];
}

void write_distortion_section(TextSink& out, const DistortionBins& bins, int histogram_step,
                              int element_count) {
    if (histogram_step < 1 || histogram_step > 3) return;
    out.line_end();
    out.text(cp932::DISTORTION_HEADING);
    out.line_end();
    for (int low = 0; low < 60; low += histogram_step) {
        int count = 0;
        for (int b = low; b < low + histogram_step; ++b) count += bins[static_cast<std::size_t>(b)];
        out.text("[");
        out.integer(low);
        out.text("] = ");
        out.integer(count);
        out.line_end();
    }
    out.text(cp932::DISTORTION_TOTAL);
    out.integer(element_count);
    out.line_end();
}

}  // namespace tesu
