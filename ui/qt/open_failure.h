// Why a data file named on the command line cannot be read: the window says
// so in a box, since a user who started the program from a file manager
// never sees its terminal.
#pragma once

#include <string>

namespace tesu {

// The system's reason, empty when the file can be opened as a regular file.
std::string open_failure_reason(const std::string& path);

// The box's text: "PATH を開けません。" and the reason on a second line.
std::string open_failure_text(const std::string& path, const std::string& reason);

}  // namespace tesu
