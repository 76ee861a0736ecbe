// A canvas that remembers every call, in order.
#pragma once

#include <ostream>
#include <vector>

#include "ui/drawing.h"

namespace tesu::testing {

struct CanvasCall {
    char kind;  // 'l'ine, 'p'ixel, 'e'rase
    int x0, y0, x1, y1;
    Colour colour;
    friend bool operator==(const CanvasCall&, const CanvasCall&) = default;
};

inline void PrintTo(const CanvasCall& c, std::ostream* os) {
    *os << c.kind << " (" << c.x0 << ", " << c.y0 << ") (" << c.x1 << ", " << c.y1 << ") rgb "
        << int(c.colour.red) << "/" << int(c.colour.green) << "/" << int(c.colour.blue);
}

inline CanvasCall line_call(int x0, int y0, int x1, int y1, Colour c) { return {'l', x0, y0, x1, y1, c}; }
inline CanvasCall pixel_call(int x, int y, Colour c) { return {'p', x, y, x, y, c}; }
inline CanvasCall erase_call() { return {'e', 0, 0, 0, 0, BLACK}; }

class RecordingCanvas : public Canvas {
public:
    void line(int x0, int y0, int x1, int y1, Colour c) override {
        calls.push_back(line_call(x0, y0, x1, y1, c));
    }
    void set_pixel(int x, int y, Colour c) override { calls.push_back(pixel_call(x, y, c)); }
    void erase() override { calls.push_back(erase_call()); }
    std::vector<CanvasCall> calls;
};

}  // namespace tesu::testing
