// How a run speaks to the user: message boxes, which the desktop program
// shows as boxes over its window and the batch program prints. The core
// never shows anything itself; the sequence of a whole run (run/mesh_run.h)
// asks through this.
#pragma once

#include <string_view>

namespace tesu {

enum class Buttons { ok, ok_cancel };
enum class Answer { ok, cancel };

// What a message box is for. The window shows them all alike; the batch
// program prints the run's summary and report to standard output and every
// other box to standard error.
enum class MessageKind { problem, summary, report, information };

inline constexpr int EXIT_STATUS_FATAL = 1;
inline constexpr int EXIT_STATUS_REFUSED = 2;

class Platform {
public:
    virtual ~Platform() = default;

    virtual Answer message_box(std::string_view caption, std::string_view text, Buttons buttons,
                               MessageKind kind = MessageKind::problem) = 0;
};

}  // namespace tesu
