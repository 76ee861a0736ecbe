// The platform without a window: used by the batch program and the tests.
// Message boxes are answered from a script (OK once it runs out) and written
// out as caption and text; drawing calls are counted, and recorded on request.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace tesu {

struct ShownMessage {
    std::string caption;
    std::string text;
    Buttons buttons;
    MessageKind kind;
};

struct RecordedDrawing {
    enum class Kind { line, point, begin_run };
    Kind kind;
    double x0, y0, x1, y1;
};

class HeadlessPlatform : public Platform {
public:
    // Messages of the run's summary and report go to `report_stream`, every
    // other one to `problem_stream`; either may be null to stay silent.
    HeadlessPlatform(std::FILE* report_stream = nullptr, std::FILE* problem_stream = nullptr);

    Answer message_box(std::string_view caption, std::string_view text, Buttons buttons,
                       MessageKind kind = MessageKind::problem) override;
    [[noreturn]] void fatal(std::string_view caption, std::string_view text, FatalCause cause) override;
    void begin_run() override;
    void draw_line(double x0, double y0, double x1, double y1) override;
    void plot_point(double x, double y) override;

    // Answers for the next OK/Cancel boxes, in order.
    std::deque<Answer> scripted_answers;
    // Every box shown, in order.
    std::vector<ShownMessage> messages;
    // Drawing calls are kept only when this is set, since a large run makes
    // millions of them.
    bool record_drawing = false;
    std::vector<RecordedDrawing> drawing;
    long long lines_drawn = 0;
    long long points_plotted = 0;

    // Called instead of ending the process when set (tests throw from it).
    std::function<void(int status)> on_fatal;

private:
    std::FILE* report_stream_;
    std::FILE* problem_stream_;
};

// Status with which a fatal ending of the given cause ends the batch program.
int exit_status_for(FatalCause cause);

}  // namespace tesu
