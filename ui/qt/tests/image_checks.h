// Looking at the client area's image.
#pragma once

#include <QImage>

namespace tesu::testing {

inline constexpr QRgb IMAGE_BLACK = 0xFF000000;
inline constexpr QRgb IMAGE_WHITE = 0xFFFFFFFF;
inline constexpr QRgb IMAGE_CYAN = 0xFF00FFFF;
inline constexpr QRgb IMAGE_YELLOW = 0xFFFFFF00;

inline int count_pixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    }
    return count;
}

inline bool all_black(const QImage& image) {
    return count_pixels(image, IMAGE_BLACK) == image.width() * image.height();
}

}  // namespace tesu::testing
