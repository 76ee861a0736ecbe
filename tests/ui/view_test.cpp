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

void expect_view(const ViewState& view, double scale, double cx, double cy) {
    EXPECT_EQ(view.view_scale, scale);
    EXPECT_EQ(view.view_center_x, cx);
    EXPECT_EQ(view.view_center_y, cy);
}

TEST(ResetView, CentresOnTheHalfSizesWithTheOriginAtTheTopLeft) {
    const ViewState odd = view_of(401, 301);
    EXPECT_EQ(odd.view_base_size, 301);
    expect_view(odd, 1.0, 200, 150);

    const ViewState view = view_of(680, 400);  // k = 1
    EXPECT_EQ(map_to_screen(view, 100, 50).x, 100);
    EXPECT_EQ(map_to_screen(view, 100, 50).y, 50);
    EXPECT_EQ(map_to_screen(view_of(680, 500), 399, 0).x, 498);  // 498.75 truncated
    EXPECT_EQ(map_to_screen(view_of(0, 0), 250, -80).x, 0);      // minimised
}

TEST(ZoomIn, CentresOnTheClickDoublingUpTo65536) {
    ViewState view = view_of(600, 400);
    zoom_in_at(view, 300, 100);
    expect_view(view, 2, 300, 100);
    zoom_in_at(view, 400, 300);  // the offset counts at the old factor
    expect_view(view, 4, 350, 150);
    for (int i = 0; i < 14; ++i) zoom_in_at(view, 300, 200);
    expect_view(view, 65536, 350, 150);
    zoom_in_at(view, 300 + 65536, 200);  // at the limit it only recentres
    expect_view(view, 65536, 351, 150);
}

TEST(ZoomOut, KeepsTheCentreUntilBelowOneThenRecentres) {
    ViewState view = view_of(600, 400);
    zoom_in_at(view, 100, 50);
    zoom_out(view);
    expect_view(view, 1, 100, 50);  // a shifted full-size view
    zoom_out(view);
    expect_view(view, 1, 300, 200);
}

TEST(Mapping, AppliesFactorAndCentreThenClampsAsymmetricallyAndTruncates) {
    ViewState view = view_of(400, 200);  // k = 0.5
    zoom_in_at(view, 300, 150);          // centre (300, 150), factor 2
    EXPECT_EQ(map_to_screen(view, 700, 320).x, (350 - 300) * 2 + 200);
    EXPECT_EQ(map_to_screen(view, 700, 320).y, (160 - 150) * 2 + 100);

    const ViewState plain = view_of(400, 400);  // identity
    EXPECT_EQ(map_to_screen(plain, 40000, 0).x, 32767);
    EXPECT_EQ(map_to_screen(plain, -35000, 0).x, -31000);
    EXPECT_EQ(map_to_screen(plain, -0.75, 2.75).x, 0);
    EXPECT_EQ(map_to_screen(plain, -1.75, 2.75).x, -1);
    EXPECT_EQ(map_to_screen(plain, -1.75, 2.75).y, 2);
    EXPECT_EQ(map_to_screen(plain, -31000, 0).x, -31000);
    EXPECT_EQ(map_to_screen(plain, -30999.5, 0).x, -30999);  // above the bound: truncated, not clamped
    EXPECT_EQ(map_to_screen(plain, std::numeric_limits<double>::quiet_NaN(), 0).x, 32767);
}

}  // namespace
}  // namespace tesu
