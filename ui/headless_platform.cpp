#include "ui/headless_platform.h"

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

}  // namespace tesu
