#include "output/text_sink.h"

#include <charconv>
#include <cstring>

namespace tesu {

namespace {

// Longest "%f" of a finite double: sign, 309 integer digits, point, six
// decimals; "nan" and "inf" are shorter.
inline constexpr std::size_t LONGEST_FIXED = 1 + 309 + 1 + 6;
inline constexpr std::size_t LONGEST_INT = 11;

}  // namespace

TextSink::TextSink(Destination destination, std::size_t block_size)
    : destination_(std::move(destination)), buffer_(block_size < LONGEST_FIXED ? LONGEST_FIXED : block_size) {
    if (!destination_) failed_ = true;
}

void TextSink::text(std::string_view s) {
    if (s.size() > buffer_.size()) {
        flush();
        if (!failed_ && !destination_(s)) failed_ = true;
        return;
    }
    make_room(s.size());
    std::memcpy(buffer_.data() + used_, s.data(), s.size());
    used_ += s.size();
}

void TextSink::integer(int value) {
    make_room(LONGEST_INT);
    char* start = buffer_.data() + used_;
    used_ += static_cast<std::size_t>(std::to_chars(start, start + LONGEST_INT, value).ptr - start);
}

void TextSink::integer_width4(int value) {
    char digits[LONGEST_INT];
    const auto length =
        static_cast<std::size_t>(std::to_chars(digits, digits + LONGEST_INT, value).ptr - digits);
    make_room(LONGEST_INT);
    for (std::size_t pad = length; pad < 4; ++pad) buffer_[used_++] = ' ';
    std::memcpy(buffer_.data() + used_, digits, length);
    used_ += length;
}

void TextSink::fixed6(double value) {
    make_room(LONGEST_FIXED);
    char* start = buffer_.data() + used_;
    // to_chars with a precision prints exactly as printf("%.6f") in the C locale.
    const auto result = std::to_chars(start, start + LONGEST_FIXED, value, std::chars_format::fixed, 6);
    used_ += static_cast<std::size_t>(result.ptr - start);
}

bool TextSink::finish() {
    flush();
    return !failed_;
}

void TextSink::make_room(std::size_t size) {
    if (used_ + size > buffer_.size()) flush();
}

void TextSink::flush() {
    if (used_ > 0 && !failed_ && !destination_(std::string_view(buffer_.data(), used_))) failed_ = true;
    used_ = 0;
}

}  // namespace tesu
