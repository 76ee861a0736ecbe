// Everything the program asks of the window system: message boxes, the fatal
// ending of the process, and the immediate drawing a run does onto the main
// window. The desktop program implements it with Qt; the batch program and
// the tests with HeadlessPlatform.
#pragma once

#include <string>
#include <string_view>

namespace tesu {

enum class Buttons { ok, ok_cancel };
enum class Answer { ok, cancel };

// What a message box is for. The window shows them all alike; the batch
// program prints the run's summary and report to standard output and every
// other box to standard error.
enum class MessageKind { problem, summary, report, information };

// Why the process ends. A refused data file (an over-long line) and a failed
// computation end the window program alike, but a script driving the batch
// program needs to tell them apart.
enum class FatalCause { computation, refused_input };

inline constexpr int EXIT_STATUS_FATAL = 1;
inline constexpr int EXIT_STATUS_REFUSED = 2;

class Platform {
public:
    virtual ~Platform() = default;

    virtual Answer message_box(std::string_view caption, std::string_view text, Buttons buttons,
                               MessageKind kind = MessageKind::problem) = 0;

    // Shows the message with an OK button, then ends the process.
    [[noreturn]] virtual void fatal(std::string_view caption, std::string_view text, FatalCause cause) = 0;

    // Start of a run: the view goes back to the full view and the window is
    // cleared to black.
    virtual void begin_run() = 0;

    // Immediate drawing in drawing units, gone at the next repaint.
    virtual void draw_line(double x0, double y0, double x1, double y1) = 0;
    virtual void plot_point(double x, double y) = 0;
};

// printf-style formatting into a string, as every message with values is built.
std::string format_message(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The caption of every failure inside the computation.
inline constexpr std::string_view COMPUTATION_ERROR_CAPTION = "計算実行中のエラー！強制終了します。";

}  // namespace tesu
