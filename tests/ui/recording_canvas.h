// A canvas that remembers every call, for checking what was drawn and in
// which order.
#pragma once

#include <ostream>
#include <vector>

#include "ui/drawing.h"

namespace tesu::testing {

struct CanvasCall {
    enum class Kind { line, pixel, erase };
    Kind kind;
    int x0, y0, x1, y1;
    Colour colour;
    friend bool operator==(const CanvasCall&, const CanvasCall&) = default;
};

// Readable failure messages.
inline void PrintTo(const CanvasCall& call, std::ostream* os) {
    static const char* const kinds[] = {"line", "pixel", "erase"};
    *os << kinds[static_cast<int>(call.kind)] << " (" << call.x0 << ", " << call.y0 << ") -> (" << call.x1
        << ", " << call.y1 << ") rgb " << int(call.colour.red) << "/" << int(call.colour.green) << "/"
        << int(call.colour.blue);
}

inline CanvasCall line_call(int x0, int y0, int x1, int y1, Colour colour) {
    return {CanvasCall::Kind::line, x0, y0, x1, y1, colour};
}
inline CanvasCall pixel_call(int x, int y, Colour colour) {
    return {CanvasCall::Kind::pixel, x, y, x, y, colour};
}
inline CanvasCall erase_call() { return {CanvasCall::Kind::erase, 0, 0, 0, 0, BLACK}; }

class RecordingCanvas : public Canvas {
public:
    void line(int x0, int y0, int x1, int y1, Colour colour) override {
        calls.push_back(line_call(x0, y0, x1, y1, colour));
    }
    void set_pixel(int x, int y, Colour colour) override { calls.push_back(pixel_call(x, y, colour)); }
    void erase() override { calls.push_back(erase_call()); }

    std::vector<CanvasCall> calls;
};

}  // namespace tesu::testing
