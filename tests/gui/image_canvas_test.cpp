#include "ui/qt/image_canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "gui_test_support.h"

namespace tesu {
namespace {

using namespace testing;

QImage drawn_line(QSize size, int x0, int y0, int x1, int y1) {
    ImageCanvas canvas;
    canvas.resize(size.width(), size.height());
    canvas.line(x0, y0, x1, y1, WHITE);
    return canvas.image();
}

// Every step of the line, inside the image or not: the nearest pixel to the
// exact point, halves rounded up, the end point left out.
QImage reference_line(QSize size, int x0, int y0, int x1, int y1) {
    QImage image = drawn_line(size, 0, 0, 0, 0);
    const long long dx = x1 - x0;
    const long long dy = y1 - y0;
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    for (long long i = 0; i < steps; ++i) {
        const long long x = x0 + (dx < 0 ? -1 : 1) * ((2 * i * std::llabs(dx) + steps) / (2 * steps));
        const long long y = y0 + (dy < 0 ? -1 : 1) * ((2 * i * std::llabs(dy) + steps) / (2 * steps));
        if (x >= 0 && y >= 0 && x < size.width() && y < size.height())
            image.setPixel(int(x), int(y), IMAGE_WHITE);
    }
    return image;
}

TEST(ImageCanvas, LineLeavesOutItsEndPoint) {
    const QImage row = drawn_line({10, 10}, 2, 3, 7, 3);
    EXPECT_EQ(count_pixels(row, IMAGE_WHITE), 5);
    EXPECT_EQ(row.pixel(2, 3), IMAGE_WHITE);
    EXPECT_EQ(row.pixel(7, 3), IMAGE_BLACK);
    EXPECT_TRUE(all_black(drawn_line({10, 10}, 5, 5, 5, 5)));
}

TEST(ImageCanvas, ClippedLinesSetTheSamePixelsAsTheWholeLine) {
    const QSize size(37, 23);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> near(-60, 100);
    std::uniform_int_distribution<int> far(-31000, 32767);
    for (int trial = 0; trial < 3000; ++trial) {
        const bool distant = trial % 10 == 0;  // clamped ends far away
        const int x0 = distant ? far(random) : near(random);
        const int y0 = near(random);
        const int x1 = near(random);
        const int y1 = distant ? far(random) : near(random);
        ASSERT_EQ(drawn_line(size, x0, y0, x1, y1), reference_line(size, x0, y0, x1, y1))
            << "(" << x0 << ", " << y0 << ") -> (" << x1 << ", " << y1 << ")";
    }
}

TEST(ImageCanvas, IgnoresPixelsOutside) {
    ImageCanvas canvas;
    canvas.resize(4, 3);
    for (const QPoint p : {QPoint(-1, 0), QPoint(4, 0), QPoint(0, 3)}) canvas.set_pixel(p.x(), p.y(), YELLOW);
    EXPECT_TRUE(all_black(canvas.image()));
    canvas.resize(0, 0);  // minimised
    canvas.line(0, 0, 10, 10, WHITE);
    canvas.set_pixel(0, 0, WHITE);
}

}  // namespace
}  // namespace tesu
