// Message boxes without a window: used by the batch program and the tests.
// They are answered from a script (OK once it runs out) and written out as
// caption and text.
#pragma once

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "run/run_messages.h"

namespace tesu {

struct ShownMessage {
    std::string caption;
    std::string text;
    Buttons buttons;
    MessageKind kind;
};

class HeadlessPlatform : public Platform {
public:
    // Messages of the run's summary and report go to `report_stream`, every
    // other one to `problem_stream`; either may be null to stay silent.
    HeadlessPlatform(std::FILE* report_stream = nullptr, std::FILE* problem_stream = nullptr);

    Answer message_box(std::string_view caption, std::string_view text, Buttons buttons,
                       MessageKind kind = MessageKind::problem) override;

    // Answers for the next OK/Cancel boxes, in order.
    std::deque<Answer> scripted_answers;
    // Every box shown, in order.
    std::vector<ShownMessage> messages;

private:
    std::FILE* report_stream_;
    std::FILE* problem_stream_;
};

}  // namespace tesu
