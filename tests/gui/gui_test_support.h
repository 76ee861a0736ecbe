// What the Qt tests share: modal questions answered from a script (a real
// modal dialog would wait for a user who is not there), files in a folder
// that goes with the test, and looks at the client area's image.
#pragma once

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
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
        const int closed = closes;
        if (on_box) on_box(boxes.back());
        // Closed by the program while it was up: as if cancelled.
        if (closes != closed) return Answer::cancel;
        return buttons == Buttons::ok ? Answer::ok : next(answers, Answer::ok);
    }
    void close_message_box() override { ++closes; }
    std::optional<double> ask_min_angle(QWidget*, double) override {
        return next(min_angles, std::optional<double>());
    }
    StaleEditChoice ask_about_unsaved_edits(QWidget*, const QString&) override {
        ++unsaved_edit_questions;
        return next(unsaved_edit_choices, StaleEditChoice::cancel);
    }
    std::optional<std::string> choose_data_file(QWidget*, const std::string& folder) override {
        ++file_requests;
        folders.push_back(folder);
        return next(files, std::optional<std::string>());
    }
    std::optional<std::string> choose_save_file(QWidget*, const std::string& suggested) override {
        suggested_names.push_back(suggested);
        return next(save_files, std::optional<std::string>());
    }
    SaveChoice ask_to_save(QWidget*, const QString&) override {
        return next(save_choices, SaveChoice::cancel);
    }
    void show_about(QWidget*) override { ++about_boxes; }

    std::vector<ShownBox> boxes;
    // Looks at the program while a box is up, as a user would.
    std::function<void(const ShownBox&)> on_box;
    // The answers, in order; once they run out: OK, cancel, cancel.
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<std::string>> save_files;
    // Where each open dialog started, and what each save dialog offered.
    std::vector<std::string> folders;
    std::vector<std::string> suggested_names;
    std::deque<SaveChoice> save_choices;
    std::deque<StaleEditChoice> unsaved_edit_choices;
    std::deque<std::optional<double>> min_angles;
    int unsaved_edit_questions = 0;
    // How often the program closed the box that was up.
    int closes = 0;
    int file_requests = 0;
    int about_boxes = 0;

private:
    template <typename T>
    static T next(std::deque<T>& script, T otherwise) {
        if (script.empty()) return otherwise;
        T answer = script.front();
        script.pop_front();
        return answer;
    }
};

class TestFiles {
public:
    std::string write(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path(name);
    }
    std::string path(const QString& name) const {
        return QFile::encodeName(dir_.filePath(name)).toStdString();
    }
    static QByteArray read(const std::string& path) {
        QFile file(QFile::decodeName(path.c_str()));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private:
    QTemporaryDir dir_;
};

inline constexpr QRgb IMAGE_BLACK = 0xFF000000;
inline constexpr QRgb IMAGE_WHITE = 0xFFFFFFFF;
inline constexpr QRgb IMAGE_CYAN = 0xFF00FFFF;
inline constexpr QRgb IMAGE_YELLOW = 0xFFFFFF00;

inline int count_pixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    }
    return count;
}
inline bool all_black(const QImage& image) {
    return count_pixels(image, IMAGE_BLACK) == image.width() * image.height();
}

}  // namespace tesu::testing
