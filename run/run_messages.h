// How a run speaks to the user: message boxes, which the desktop program
// shows as boxes over its window and the batch program prints. The core
// never shows anything itself; the sequence of a whole run (run/run_driver.h)
// asks through this.
#pragma once

#include <cstdint>
#include <ctime>
#include <string_view>
#include <vector>

#include "input/input_tables.h"

namespace tesu {

struct RunResults;

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

    // The lines the reader read only in part, told before the summary when
    // there are any; false refuses the file, as a cancelled summary does.
    virtual bool accept_partial_lines(const std::vector<PartialLine>& /*lines*/) { return true; }
    // The mesh is built and the results filled in, just before the report.
    virtual void mesh_ready(const RunResults& /*results*/) {}
    // The wall clock, in the whole seconds the report counts the computing
    // time in.
    virtual std::int32_t clock_seconds() { return static_cast<std::int32_t>(std::time(nullptr)); }
};

}  // namespace tesu
