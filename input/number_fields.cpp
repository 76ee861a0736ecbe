#include "input/number_fields.h"

#include <ctype.h>
#include <locale.h>

#include <cstdlib>

namespace tesu {

NumberFields read_number_fields(const char* text, std::span<double> values) {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const char* p = text;
    NumberFields fields;
    for (double& value : values) {
        char* end = nullptr;
        const double v = strtod_l(p, &end, c_locale);
        if (end == p) break;
        value = v;
        p = end;
        ++fields.read;
    }
    // What strtod would pass over before a next field counts as a separator.
    fields.runs_into_text =
        fields.read > 0 && *p != '\0' && !isspace_l(static_cast<unsigned char>(*p), c_locale);
    return fields;
}

}  // namespace tesu
