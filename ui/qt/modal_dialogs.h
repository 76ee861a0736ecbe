// Every modal question the desktop program asks. The program shows real
// dialogs; the tests answer from a script instead, since a modal dialog would
// wait for a user who is not there.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "run/run_messages.h"

class QWidget;

namespace tesu {

enum class SaveChoice { save, discard, cancel };

class ModalDialogs {
public:
    virtual ~ModalDialogs() = default;

    virtual Answer message_box(QWidget* owner, std::string_view caption, std::string_view text,
                               Buttons buttons) = 0;
    // The open-file dialog for a data file, starting in `folder` (the
    // present folder when empty): the chosen path, or nothing when
    // cancelled.
    virtual std::optional<std::string> choose_data_file(QWidget* owner, const std::string& folder) = 0;
    // The save dialog for the mesh, offering `suggested` (a path whose
    // extension names the first format listed): the chosen path, or nothing
    // when cancelled.
    virtual std::optional<std::string> choose_save_file(QWidget* owner, const std::string& suggested) = 0;
    // Unsaved changes are about to be lost.
    virtual SaveChoice ask_to_save(QWidget* owner, const QString& file_name) = 0;
    virtual void show_about(QWidget* owner) = 0;
};

class QtDialogs : public ModalDialogs {
public:
    Answer message_box(QWidget* owner, std::string_view caption, std::string_view text,
                       Buttons buttons) override;
    std::optional<std::string> choose_data_file(QWidget* owner, const std::string& folder) override;
    std::optional<std::string> choose_save_file(QWidget* owner, const std::string& suggested) override;
    SaveChoice ask_to_save(QWidget* owner, const QString& file_name) override;
    void show_about(QWidget* owner) override;
};

}  // namespace tesu
