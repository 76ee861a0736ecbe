// UTF-8 to code page 932 through the system's converter, to check the
// writers' byte strings against an independent encoder.
#pragma once

#include <iconv.h>

#include <stdexcept>
#include <string>

namespace tesu::testing {

inline std::string to_cp932(const std::string& utf8) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
    std::string in = utf8;
    std::string out(in.size() * 2 + 16, '\0');
    char* in_ptr = in.data();
    std::size_t in_left = in.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    const std::size_t result = iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) throw std::runtime_error("not convertible: " + utf8);
    out.resize(out.size() - out_left);
    return out;
}

// Result-file text: code page 932 with CR LF line ends.
inline std::string result_text(const std::string& utf8) {
    std::string crlf;
    for (const char c : utf8) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return to_cp932(crlf);
}

}  // namespace tesu::testing
