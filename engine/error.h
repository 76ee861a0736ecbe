// The one way a failure leaves the core: an exception carrying why, and the
// caption and text of the message the user is shown. The programs decide from
// the cause how to show it, whether to go on and with which status to end.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace tesu {

enum class ErrorCause {
    read,         // the data file, or a node placed from it, was refused
    computation,  // the construction met tables it cannot go on from
    capacity,     // the mesh outgrew a limit of the tables
    output,       // a result could not be written
};

class Error : public std::exception {
public:
    Error(ErrorCause cause, std::string_view caption, std::string text)
        : cause_(cause), caption_(caption), text_(std::move(text)) {}

    ErrorCause cause() const { return cause_; }
    const std::string& caption() const { return caption_; }
    const std::string& text() const { return text_; }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    ErrorCause cause_;
    std::string caption_;
    std::string text_;
};

// The caption of every failure inside the computation.
inline constexpr std::string_view COMPUTATION_ERROR_CAPTION = "計算実行中のエラー！強制終了します。";

// A computation or capacity stop, under the caption that says the program ends.
inline Error computation_error(std::string text, ErrorCause cause = ErrorCause::computation) {
    return Error(cause, COMPUTATION_ERROR_CAPTION, std::move(text));
}

}  // namespace tesu
