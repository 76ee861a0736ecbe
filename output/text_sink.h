// Buffered text output with the number formats of the result file, printed
// as printf prints them in the C locale whatever the user's locale is. The
// text is handed on in large blocks, so that big meshes write quickly.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace tesu {

class TextSink {
public:
    // Receives each full block; returns false when it could not take it.
    using Destination = std::function<bool(std::string_view)>;

    // Without a destination the text is dropped and finish() reports failure.
    explicit TextSink(Destination destination, std::size_t block_size = 1 << 18);

    void text(std::string_view s);
    void line_end() { text("\r\n"); }
    // "%d"
    void integer(int value);
    // "%4d": right-aligned in four characters, wider when needed.
    void integer_width4(int value);
    // "%f": fixed point, six decimals, rounded.
    void fixed6(double value);

    // Hands on what is buffered; true when every block reached the destination.
    bool finish();

private:
    void make_room(std::size_t size);
    void flush();

    Destination destination_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

}  // namespace tesu
