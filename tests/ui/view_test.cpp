#include "ui/view.h"

#include <gtest/gtest.h>

#include <limits>

namespace tesu {
namespace {

ViewState view_of(int width, int height) {
    ViewState view;
    reset_view(view, width, height);
    return view;
}

TEST(ResetView, TakesTheSmallerSideAsBaseAndCentresOnTheHalfSizes) {
    const ViewState view = view_of(401, 301);
    EXPECT_EQ(view.view_base_size, 301);
    EXPECT_EQ(half_width(view), 200.0);
    EXPECT_EQ(half_height(view), 150.0);
    EXPECT_EQ(view.view_center_x, 200.0);
    EXPECT_EQ(view.view_center_y, 150.0);
    EXPECT_EQ(view.view_scale, 1.0);
}

TEST(ResetView, FullViewPutsTheOriginAtTheTopLeftCorner) {
    const ViewState view = view_of(680, 400);  // k = 1
    const ScreenPoint p = map_to_screen(view, 100, 50);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 50);

    const ViewState wide = view_of(680, 500);  // k = 1.25
    const ScreenPoint q = map_to_screen(wide, 399, 399);
    EXPECT_EQ(q.x, 498);  // 498.75 truncated
    EXPECT_EQ(q.y, 498);
}

TEST(ResetView, ReturnsToTheFullViewAfterZooming) {
    ViewState view = view_of(600, 400);
    zoom_in_at(view, 10, 20);
    zoom_in_at(view, 500, 300);
    reset_view(view, 640, 480);
    EXPECT_EQ(view.view_scale, 1.0);
    EXPECT_EQ(view.view_center_x, 320.0);
    EXPECT_EQ(view.view_center_y, 240.0);
    EXPECT_EQ(view.view_base_size, 480);
}

TEST(ResetView, MinimisedWindowMapsEverythingToTheCorner) {
    const ViewState view = view_of(0, 0);
    const ScreenPoint p = map_to_screen(view, 250, -80);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(ZoomIn, CentresOnTheClickAndDoubles) {
    ViewState view = view_of(600, 400);
    zoom_in_at(view, 300, 100);
    EXPECT_EQ(view.view_center_x, 300.0);
    EXPECT_EQ(view.view_center_y, 100.0);
    EXPECT_EQ(view.view_scale, 2.0);

    // The clicked point is now drawn at the centre of the client area.
    ViewState at_one = view_of(400, 400);  // k = 1
    zoom_in_at(at_one, 100, 300);
    const ScreenPoint p = map_to_screen(at_one, 100, 300);
    EXPECT_EQ(p.x, 200);
    EXPECT_EQ(p.y, 200);
}

TEST(ZoomIn, MovesTheCentreByTheOffsetDividedByTheOldFactor) {
    ViewState view = view_of(600, 400);
    zoom_in_at(view, 300, 100);  // factor 2, centre (300, 100)
    zoom_in_at(view, 400, 300);  // offset (100, 100) at factor 2
    EXPECT_EQ(view.view_center_x, 350.0);
    EXPECT_EQ(view.view_center_y, 150.0);
    EXPECT_EQ(view.view_scale, 4.0);
}

TEST(ZoomIn, StopsAt65536AndThenOnlyRecentres) {
    ViewState view = view_of(600, 400);
    for (int i = 0; i < 16; ++i) zoom_in_at(view, 300, 200);
    EXPECT_EQ(view.view_scale, 65536.0);
    zoom_in_at(view, 300 + 65536, 200);
    EXPECT_EQ(view.view_scale, 65536.0);
    EXPECT_EQ(view.view_center_x, 301.0);
    EXPECT_EQ(view.view_center_y, 200.0);
}

TEST(ZoomOut, KeepsTheCentreUntilTheFactorWouldDropBelowOne) {
    ViewState view = view_of(600, 400);
    zoom_in_at(view, 100, 50);
    zoom_out(view);
    // A shifted full-size view.
    EXPECT_EQ(view.view_scale, 1.0);
    EXPECT_EQ(view.view_center_x, 100.0);
    EXPECT_EQ(view.view_center_y, 50.0);
    zoom_out(view);
    EXPECT_EQ(view.view_scale, 1.0);
    EXPECT_EQ(view.view_center_x, 300.0);
    EXPECT_EQ(view.view_center_y, 200.0);
}

TEST(Mapping, ClampsAsymmetricallyAndTruncatesTowardZero) {
    EXPECT_EQ(clamp_to_screen(40000.0), 32767.0);
    EXPECT_EQ(clamp_to_screen(32767.0), 32767.0);
    EXPECT_EQ(clamp_to_screen(-35000.0), -31000.0);
    EXPECT_EQ(clamp_to_screen(-31000.0), -31000.0);
    EXPECT_EQ(clamp_to_screen(-30999.5), -30999.5);

    const ViewState view = view_of(400, 400);  // k = 1, centre (200, 200)
    EXPECT_EQ(map_to_screen(view, 40000, 0).x, 32767);
    EXPECT_EQ(map_to_screen(view, -35000, 0).x, -31000);
    EXPECT_EQ(map_to_screen(view, -0.75, 2.75).x, 0);
    EXPECT_EQ(map_to_screen(view, -1.75, 2.75).x, -1);
    EXPECT_EQ(map_to_screen(view, -1.75, 2.75).y, 2);
}

TEST(Mapping, AppliesFactorAndCentre) {
    ViewState view = view_of(400, 200);  // k = 0.5, W2 = 200, H2 = 100
    zoom_in_at(view, 300, 150);          // centre (300, 150), factor 2
    const ScreenPoint p = map_to_screen(view, 700, 320);
    EXPECT_EQ(p.x, (350 - 300) * 2 + 200);
    EXPECT_EQ(p.y, (160 - 150) * 2 + 100);
}

TEST(Mapping, ClampsANotANumberInsteadOfConvertingIt) {
    EXPECT_EQ(clamp_to_screen(std::numeric_limits<double>::quiet_NaN()), 32767.0);
    EXPECT_EQ(clamp_to_screen(-std::numeric_limits<double>::infinity()), -31000.0);
}

}  // namespace
}  // namespace tesu
