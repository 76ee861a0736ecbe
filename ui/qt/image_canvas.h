// The client area as an image in memory. The window only copies it to the
// screen; lines and dots are set straight into its pixels, which is several
// times faster than a painter for the millions of short segments of a large
// mesh.
#pragma once

#include <QImage>

#include "ui/drawing.h"

namespace tesu {

class ImageCanvas : public Canvas {
public:
    // A new black image of the given size; what was drawn is lost.
    void resize(int width, int height);
    const QImage& image() const { return image_; }

    void line(int x0, int y0, int x1, int y1, Colour colour) override;
    void set_pixel(int x, int y, Colour colour) override;
    void erase() override;

private:
    QImage image_;
};

}  // namespace tesu
