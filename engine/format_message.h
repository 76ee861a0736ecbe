// printf-style formatting into a string, as every message with values is
// built, in the C locale whatever the user's.
#pragma once

#include <string>

namespace tesu {

std::string format_message(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tesu
