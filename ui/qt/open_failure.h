// Why a data file named on the command line cannot be read: the window says
// so in a box, since a user who started the program from a file manager
// never sees its terminal, and the program on standard error.
#pragma once

#include <string>

namespace tesu {

// What open_failure() gives for a file that opens but is no regular file.
inline constexpr int NOT_A_REGULAR_FILE = -1;

// 0 when `path` opens as a regular file, else the errno that says why, or
// NOT_A_REGULAR_FILE. A pipe is opened without waiting for a writer.
int open_failure(const std::string& path);

// The box's reason, empty when the file can be opened as a regular file.
std::string open_failure_reason(const std::string& path);

// The box's text: "PATH を開けません。" and the reason on a second line.
std::string open_failure_text(const std::string& path, const std::string& reason);

}  // namespace tesu
