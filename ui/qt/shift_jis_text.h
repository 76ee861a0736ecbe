// Text files in code page 932, the Shift_JIS of Japanese Windows, as the
// editor reads and writes them: converted with iconv, line ends LF or CRLF
// as the file has them. A file is only ever written back when the bytes
// read give the same bytes again.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tesu {

enum class LineEnd { lf, crlf };

struct DecodedText {
    std::string utf8;  // every line end as '\n'
    LineEnd line_end = LineEnd::lf;
    // Why the text could not be written back as it was read; empty when it
    // can.
    std::string problem;
};

DecodedText decode_cp932(std::string_view bytes);

// The bytes of a text ('\n' line ends) in code page 932 with the given line
// ends, or nothing, with the reason in `problem`, when a character has no
// code there of its own.
std::optional<std::string> encode_cp932(std::string_view utf8, LineEnd line_end, std::string& problem);

}  // namespace tesu
