#include "ui/view.h"

namespace tesu {

namespace {

double half_width(const ViewState& view) { return view.client_width / 2; }
double half_height(const ViewState& view) { return view.client_height / 2; }

// One coordinate of the mapping before truncation, clamped.
double clamp_to_screen(double pixel) {
    // Written as "not below" so that a NaN ends up clamped too instead of
    // reaching the integer conversion.
    if (!(pixel < SCREEN_MAX)) pixel = SCREEN_MAX;
    if (pixel <= SCREEN_MIN) pixel = SCREEN_MIN;
    return pixel;
}

}  // namespace

void reset_view(ViewState& view, int client_width, int client_height) {
    view.client_width = client_width;
    view.client_height = client_height;
    view.view_base_size = client_height < client_width ? client_height : client_width;
    view.view_scale = 1.0;
    view.view_center_x = half_width(view);
    view.view_center_y = half_height(view);
}

void zoom_in_at(ViewState& view, int px, int py) {
    const int dx = px - view.client_width / 2;
    const int dy = py - view.client_height / 2;
    view.view_center_x += dx / view.view_scale;
    view.view_center_y += dy / view.view_scale;
    view.view_scale *= 2;
    if (view.view_scale > MAX_VIEW_SCALE) view.view_scale = MAX_VIEW_SCALE;
}

void zoom_out(ViewState& view) {
    view.view_scale *= 0.5;
    if (view.view_scale < 1.0) {
        // The client size of the last reset, not the window's present one.
        view.view_scale = 1.0;
        view.view_center_x = half_width(view);
        view.view_center_y = half_height(view);
    }
}

void wheel_zoom_at(ViewState& view, double px, double py, bool zoom_in) {
    const double scale = view.view_scale;
    double next = zoom_in ? scale * 2 : scale * 0.5;
    if (next > MAX_VIEW_SCALE) next = MAX_VIEW_SCALE;
    if (next < 1.0) return zoom_out(view);
    // The point under the pointer lies (px - half width) / scale from the
    // centre, in base pixels, before and after.
    view.view_center_x += (px - half_width(view)) * (1 / scale - 1 / next);
    view.view_center_y += (py - half_height(view)) * (1 / scale - 1 / next);
    view.view_scale = next;
}

void pan(ViewState& view, double dx, double dy) {
    view.view_center_x -= dx / view.view_scale;
    view.view_center_y -= dy / view.view_scale;
}

DrawingPoint screen_to_drawing(const ViewState& view, double px, double py) {
    const double k = base_factor(view);
    return {((px - half_width(view)) / view.view_scale + view.view_center_x) / k,
            ((py - half_height(view)) / view.view_scale + view.view_center_y) / k};
}

ScreenPoint map_to_screen(const ViewState& view, double x, double y) {
    const double k = base_factor(view);
    const double sx = (x * k - view.view_center_x) * view.view_scale + half_width(view);
    const double sy = (y * k - view.view_center_y) * view.view_scale + half_height(view);
    return {static_cast<int>(clamp_to_screen(sx)), static_cast<int>(clamp_to_screen(sy))};
}

}  // namespace tesu
