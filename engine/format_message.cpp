#include "engine/format_message.h"

#include <locale.h>

#include <clocale>
#include <cstdarg>
#include <cstdio>

namespace tesu {

std::string format_message(const char* format, ...) {
    // Numbers in messages read the same whatever the user's locale.
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const locale_t previous = uselocale(c_locale);

    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);

    uselocale(previous);
    return text;
}

}  // namespace tesu
