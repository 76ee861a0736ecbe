#include "ui/qt/shift_jis_text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace tesu {

namespace {

// One conversion direction of iconv, closed on scope exit.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of `in` as possible, appending to `out`; returns the
    // bytes of `in` consumed.
    std::size_t convert(std::string_view in, std::string& out) {
        char* in_ptr = const_cast<char*>(in.data());
        std::size_t in_left = in.size();
        char buffer[4096];
        while (in_left > 0) {
            char* out_ptr = buffer;
            std::size_t out_left = sizeof buffer;
            const std::size_t result = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
            out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) break;
        }
        return in.size() - in_left;
    }

private:
    iconv_t cd_;
};

constexpr std::string_view REPLACEMENT_CHARACTER = "\xEF\xBF\xBD";

std::size_t utf8_length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

LineEnd find_line_end(std::string_view bytes, std::string& problem) {
    std::size_t crlf = 0, lone_lf = 0, lone_cr = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++crlf;
                ++i;
            } else {
                ++lone_cr;
            }
        } else if (bytes[i] == '\n') {
            ++lone_lf;
        }
    }
    if (lone_cr > 0) {
        problem = "行末に単独の CR があり、そのままでは保存できません。";
    } else if (crlf > 0 && lone_lf > 0) {
        problem = "改行コードが CRLF と LF の混在で、そのままでは保存できません。";
    }
    return crlf > 0 && lone_lf == 0 ? LineEnd::crlf : LineEnd::lf;
}

}  // namespace

DecodedText decode_cp932(std::string_view bytes) {
    DecodedText decoded;
    decoded.line_end = find_line_end(bytes, decoded.problem);

    Converter converter("UTF-8", "CP932");
    if (!converter.valid()) {
        decoded.problem = "この環境の iconv は Shift_JIS (CP932) を扱えません。";
        decoded.utf8 = bytes;
        return decoded;
    }
    std::string text;
    std::size_t at = 0;
    bool reported = false;
    while (at < bytes.size()) {
        at += converter.convert(bytes.substr(at), text);
        if (at >= bytes.size()) break;
        // A byte that begins no character of the code page, or a character
        // cut off by the end of the file. The first one is the reason given.
        if (!reported) {
            char where[96];
            std::snprintf(where, sizeof where, "%zu バイト目 (0x%02X) が Shift_JIS の文字になりません。",
                          at + 1, static_cast<unsigned>(static_cast<unsigned char>(bytes[at])));
            decoded.problem = where;
            reported = true;
        }
        text += REPLACEMENT_CHARACTER;
        ++at;
    }

    if (decoded.line_end == LineEnd::crlf) {
        decoded.utf8.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
            decoded.utf8 += text[i];
        }
    } else {
        decoded.utf8 = std::move(text);
    }
    return decoded;
}

std::optional<std::string> encode_cp932(std::string_view utf8, LineEnd line_end, std::string& problem) {
    Converter to_cp932("CP932", "UTF-8");
    Converter back("UTF-8", "CP932");
    if (!to_cp932.valid() || !back.valid()) {
        problem = "この環境の iconv は Shift_JIS (CP932) を扱えません。";
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(utf8.size() + utf8.size() / 16);
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        if (lead == '\n') {
            bytes += line_end == LineEnd::crlf ? "\r\n" : "\n";
            ++i;
            continue;
        }
        if (lead < 0x80) {  // ASCII is the same in code page 932
            bytes += static_cast<char>(lead);
            ++i;
            continue;
        }
        // A character counts only if it comes back as itself: a mere look-alike
        // would change the file behind the user's back.
        const std::string_view character = utf8.substr(i, utf8_length(lead));
        std::string code;
        std::string again;
        const bool converted = to_cp932.convert(character, code) == character.size() && !code.empty();
        if (!converted || back.convert(code, again) != code.size() || again != character) {
            problem = "「" + std::string(character) + "」は Shift_JIS で保存できない文字です。";
            return std::nullopt;
        }
        bytes += code;
        i += character.size();
    }
    return bytes;
}

}  // namespace tesu
