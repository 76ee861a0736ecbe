// The numbers of a data line, read one field after another as strtod reads
// them, always in the C locale so that a user's locale with a decimal comma
// does not change what a file means.
#pragma once

#include <span>

namespace tesu {

struct NumberFields {
    // How many numbers were read.
    int read = 0;
    // The last number read runs straight into other text ("5O", "1.5e"):
    // a typo, where a label would stand apart after a space or a tab (or
    // another byte strtod passes over as white space).
    bool runs_into_text = false;
};

// Reads up to values.size() numbers from the zero-terminated text, each one
// starting where the previous one ended. Stops at the first field strtod
// cannot read; the values after it are left as they are.
NumberFields read_number_fields(const char* text, std::span<double> values);

}  // namespace tesu
