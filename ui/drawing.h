// The mesh on screen: segments mapped through the view, the node dots a run
// plots, the repaint of the elements and the Voronoi diagram on command. All
// of it draws onto a Canvas, so the rules run without a window system, and
// reads only the finished mesh and the view.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "output/finished_mesh.h"
#include "ui/view.h"

namespace tesu {

struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend bool operator==(Colour, Colour) = default;
};

inline constexpr Colour BLACK{0, 0, 0};
inline constexpr Colour WHITE{255, 255, 255};
inline constexpr Colour CYAN{0, 255, 255};
inline constexpr Colour YELLOW{255, 255, 0};

// The client area in integer pixels.
class Canvas {
public:
    virtual ~Canvas() = default;
    // A solid line one pixel wide from the first point towards the second;
    // the second point itself is not set.
    virtual void line(int x0, int y0, int x1, int y1, Colour colour) = 0;
    // Pixels outside the client area are ignored.
    virtual void set_pixel(int x, int y, Colour colour) = 0;
    // The whole client area to black.
    virtual void erase() = 0;
};

// Three node numbers (from 1).
using Triangle = std::array<int, 3>;

// Maps both ends through the view and draws the line between them.
void draw_segment(Canvas& canvas, const ViewState& view, Colour colour, double x0, double y0, double x1,
                  double y1);

// A yellow dot for a node being placed. Only the base factor applies, not
// the zoom: every run draws in the full view it has just reset.
void plot_dot(Canvas& canvas, const ViewState& view, double x, double y);

// The elements of the finished mesh in paint order (see element_order.h),
// found once per run rather than at each zoom click.
class ElementCache {
public:
    void clear();
    const std::vector<Triangle>& elements(const FinishedMesh& finished);

private:
    bool filled_ = false;
    std::vector<Triangle> elements_;
};

// The repaint: black, then, once there is a finished mesh, every element's
// edges in white.
void paint_mesh(Canvas& canvas, const ViewState& view, const FinishedMesh* finished, ElementCache& cache);

// Element quality at a glance: an element takes the colour of the first
// band whose bound its smallest angle (degrees, as the histogram counts it)
// lies below. Poor elements are red, inside and out.
struct QualityBand {
    double below;
    Colour fill;
    Colour edge;
};

inline constexpr double POOR_ANGLE = 20.0;
inline constexpr std::array<QualityBand, 5> QUALITY_BANDS{{
    {POOR_ANGLE, {255, 0, 0}, {255, 0, 0}},
    {30.0, {255, 140, 0}, {128, 70, 0}},
    {40.0, {230, 210, 0}, {115, 105, 0}},
    {50.0, {60, 180, 75}, {30, 90, 38}},
    {std::numeric_limits<double>::infinity(), {40, 110, 230}, {20, 55, 115}},
}};

// The repaint in quality colours: black, then every element filled in its
// band's colour with its edges in the band's edge colour; the poor elements
// come last, so that no neighbour hides them.
void paint_mesh_quality(Canvas& canvas, const ViewState& view, const FinishedMesh& finished);

// The edges of the Voronoi diagram (output/voronoi_edges.h), in drawing
// units, in cyan over whatever the canvas shows.
void draw_voronoi(Canvas& canvas, const ViewState& view, std::span<const Segment> edges);

}  // namespace tesu
