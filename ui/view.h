// Where a point of the mesh lands in the main window's client area: a zoom
// factor and a centre over a base scale at which 400 drawing units span the
// smaller side of the client area.
#pragma once

namespace tesu {

inline constexpr double MAX_VIEW_SCALE = 65536.0;
// Mapped coordinates are clamped to this range; the lower bound is not
// -32768 on purpose.
inline constexpr double SCREEN_MAX = 32767.0;
inline constexpr double SCREEN_MIN = -31000.0;

struct ViewState {
    int client_width = 0;
    int client_height = 0;
    int view_base_size = 0;  // the smaller client side at the last reset
    double view_scale = 1.0;
    double view_center_x = 0.0;  // in base pixels: drawing units times base_factor
    double view_center_y = 0.0;
};

struct ScreenPoint {
    int x;
    int y;
};

// Pixels per drawing unit at zoom factor 1.
inline double base_factor(const ViewState& view) { return view.view_base_size * 0.0025; }

// The full, centred view of a client area of the given size.
void reset_view(ViewState& view, int client_width, int client_height);

// Left click: the clicked pixel becomes the centre and the factor doubles,
// up to MAX_VIEW_SCALE.
void zoom_in_at(ViewState& view, int px, int py);

// Right click: the factor halves around the same centre; below 1 the view
// returns to the centred full view.
void zoom_out(ViewState& view);

// The mouse wheel: the factor doubles (up to MAX_VIEW_SCALE) or halves, the
// drawing point under the pixel (px, py) staying under it; below 1 the view
// returns to the centred full view, as zoom_out does.
void wheel_zoom_at(ViewState& view, double px, double py, bool zoom_in);

// Dragging: the picture follows the pointer by (dx, dy) pixels.
void pan(ViewState& view, double dx, double dy);

struct DrawingPoint {
    double x;
    double y;
};

// Client pixels to drawing units: map_to_screen undone, without clamping.
DrawingPoint screen_to_drawing(const ViewState& view, double px, double py);

// Drawing units to client pixels: scaled, clamped, truncated toward zero.
ScreenPoint map_to_screen(const ViewState& view, double x, double y);

}  // namespace tesu
