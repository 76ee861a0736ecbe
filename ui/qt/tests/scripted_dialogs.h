// Modal questions answered from a script, so that the tests never wait for a
// user. Every box is remembered; a callback can look at the window while a
// box is up, as a user would.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/qt/modal_dialogs.h"

namespace tesu::testing {

struct ShownBox {
    std::string caption;
    std::string text;
    Buttons buttons;
};

class ScriptedDialogs : public ModalDialogs {
public:
    Answer message_box(QWidget*, std::string_view caption, std::string_view text, Buttons buttons) override {
        boxes.push_back({std::string(caption), std::string(text), buttons});
        if (on_box) on_box(boxes.back());
        if (buttons == Buttons::ok || answers.empty()) return Answer::ok;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> choose_data_file(QWidget*) override {
        ++file_requests;
        if (files.empty()) return std::nullopt;
        const auto file = files.front();
        files.pop_front();
        return file;
    }
    SaveChoice ask_to_save(QWidget*, const QString& file_name) override {
        save_questions.push_back(file_name);
        if (save_choices.empty()) return SaveChoice::cancel;
        const SaveChoice choice = save_choices.front();
        save_choices.pop_front();
        return choice;
    }
    void show_about(QWidget*) override { ++about_boxes; }

    std::vector<ShownBox> boxes;
    std::function<void(const ShownBox&)> on_box;
    // Answers of the OK/Cancel boxes; OK once they run out.
    std::deque<Answer> answers;

    // Answers of the open-file dialog; cancel once they run out.
    std::deque<std::optional<std::string>> files;
    int file_requests = 0;

    // Answers to "save the changes?"; cancel once they run out.
    std::deque<SaveChoice> save_choices;
    std::vector<QString> save_questions;

    int about_boxes = 0;
};

}  // namespace tesu::testing
