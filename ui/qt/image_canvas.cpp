#include "ui/qt/image_canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace tesu {

namespace {

QRgb rgb_of(Colour colour) { return qRgb(colour.red, colour.green, colour.blue); }

// Smallest integer not below num / den, for den > 0.
std::int64_t ceil_div(std::int64_t num, std::int64_t den) {
    const std::int64_t q = num / den;
    return (num % den != 0 && num > 0) ? q + 1 : q;
}

}  // namespace

void ImageCanvas::resize(int width, int height) {
    image_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    erase();
}

void ImageCanvas::erase() {
    if (!image_.isNull()) image_.fill(rgb_of(BLACK));
}

void ImageCanvas::set_pixel(int x, int y, Colour colour) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = rgb_of(colour);
}

// Bresenham's line, pixel i of n at step i along the longer axis ("major")
// and round(i * minor_len / major_len) along the other. Only the steps whose
// pixel lies inside the image are visited, so a segment clamped to 32767
// costs no more than one across the window.
void ImageCanvas::line(int x0, int y0, int x1, int y1, Colour colour) {
    if (image_.isNull()) return;
    const int dx = x1 - x0;
    const int dy = y1 - y0;
    const bool x_major = std::abs(dx) >= std::abs(dy);
    const std::int64_t major_len = x_major ? std::abs(dx) : std::abs(dy);
    const std::int64_t minor_len = x_major ? std::abs(dy) : std::abs(dx);
    if (major_len == 0) return;  // the end point itself is never set
    const int major_step = (x_major ? dx : dy) < 0 ? -1 : 1;
    const int minor_step = (x_major ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t major0 = x_major ? x0 : y0;
    const std::int64_t minor0 = x_major ? y0 : x0;
    const std::int64_t major_size = x_major ? image_.width() : image_.height();
    const std::int64_t minor_size = x_major ? image_.height() : image_.width();

    // Steps whose major coordinate lies inside the image.
    std::int64_t first = 0;
    std::int64_t last = major_len - 1;
    if (major_step > 0) {
        first = std::max(first, -major0);
        last = std::min(last, major_size - 1 - major0);
    } else {
        first = std::max(first, major0 - (major_size - 1));
        last = std::min(last, major0);
    }

    // The minor offset q(i) = floor((2 i minor_len + major_len) / (2 major_len))
    // must keep the minor coordinate inside the image.
    const std::int64_t q_low = minor_step > 0 ? -minor0 : minor0 - (minor_size - 1);
    const std::int64_t q_high = minor_step > 0 ? minor_size - 1 - minor0 : minor0;
    if (minor_len == 0) {
        if (q_low > 0 || q_high < 0) return;
    } else {
        first = std::max(first, ceil_div((2 * q_low - 1) * major_len, 2 * minor_len));
        last = std::min(last, ceil_div((2 * q_high + 1) * major_len, 2 * minor_len) - 1);
    }
    if (first > last) return;

    const QRgb rgb = rgb_of(colour);
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    const std::int64_t denominator = 2 * major_len;
    std::int64_t numerator = 2 * first * minor_len + major_len;
    std::int64_t q = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t major = major0 + major_step * i;
        const std::int64_t minor = minor0 + minor_step * q;
        const std::int64_t x = x_major ? major : minor;
        const std::int64_t y = x_major ? minor : major;
        reinterpret_cast<QRgb*>(bits + y * stride)[x] = rgb;
        remainder += 2 * minor_len;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++q;
        }
    }
}

}  // namespace tesu
