#include "ui/headless_platform.h"

#include <cstdlib>

namespace tesu {

HeadlessPlatform::HeadlessPlatform(std::FILE* report_stream, std::FILE* problem_stream)
    : report_stream_(report_stream), problem_stream_(problem_stream) {}

Answer HeadlessPlatform::message_box(std::string_view caption, std::string_view text, Buttons buttons,
                                     MessageKind kind) {
    messages.push_back({std::string(caption), std::string(text), buttons, kind});
    const bool to_report = kind == MessageKind::summary || kind == MessageKind::report;
    if (std::FILE* stream = to_report ? report_stream_ : problem_stream_) {
        std::fprintf(stream, "%.*s\n%.*s\n\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
        std::fflush(stream);
    }
    if (buttons == Buttons::ok || scripted_answers.empty()) return Answer::ok;
    const Answer answer = scripted_answers.front();
    scripted_answers.pop_front();
    return answer;
}

void HeadlessPlatform::fatal(std::string_view caption, std::string_view text, FatalCause cause) {
    message_box(caption, text, Buttons::ok, MessageKind::problem);
    const int status = exit_status_for(cause);
    if (on_fatal) on_fatal(status);
    std::exit(status);
}

void HeadlessPlatform::begin_run() {
    if (record_drawing) drawing.push_back({RecordedDrawing::Kind::begin_run, 0, 0, 0, 0});
}

void HeadlessPlatform::draw_line(double x0, double y0, double x1, double y1) {
    ++lines_drawn;
    if (record_drawing) drawing.push_back({RecordedDrawing::Kind::line, x0, y0, x1, y1});
}

void HeadlessPlatform::plot_point(double x, double y) {
    ++points_plotted;
    if (record_drawing) drawing.push_back({RecordedDrawing::Kind::point, x, y, x, y});
}

int exit_status_for(FatalCause cause) {
    return cause == FatalCause::refused_input ? EXIT_STATUS_REFUSED : EXIT_STATUS_FATAL;
}

}  // namespace tesu
