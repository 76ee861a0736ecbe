#include "input/number_fields.h"

#include <locale.h>

#include <cstdlib>

namespace tesu {

int read_number_fields(const char* text, std::span<double> values) {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const char* p = text;
    int read = 0;
    for (double& value : values) {
        char* end = nullptr;
        const double v = strtod_l(p, &end, c_locale);
        if (end == p) break;
        value = v;
        p = end;
        ++read;
    }
    return read;
}

}  // namespace tesu
