// Every modal question the desktop program asks. The program shows real
// dialogs; the tests answer from a script instead, since a modal dialog would
// wait for a user who is not there.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/run_messages.h"

class QWidget;

namespace tesu {

enum class SaveChoice { save, discard, cancel };
// Meshing a data file whose editor holds unsaved changes.
enum class StaleEditChoice { save_and_mesh, mesh_file_on_disk, cancel };

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

    // The questions below have answers by default, so that an unattended
    // program, which never meets them, need not give its own.

    // The editor of `file_name` holds changes not yet saved, and the file
    // is about to be meshed.
    virtual StaleEditChoice ask_about_unsaved_edits(QWidget* /*owner*/, const QString& /*file_name*/) {
        return StaleEditChoice::mesh_file_on_disk;
    }
    // The smallest angle the quality mode asks for, starting from `current`:
    // degrees from 0 (outlines followed, no angle asked for) to
    // MAX_MIN_ANGLE, or nothing when cancelled.
    virtual std::optional<double> ask_min_angle(QWidget* /*owner*/, double /*current*/) {
        return std::nullopt;
    }
    // Closes the message box open now, if any, as if it were cancelled: the
    // question it asks has become moot.
    virtual void close_message_box() {}
};

class QtDialogs : public ModalDialogs {
public:
    Answer message_box(QWidget* owner, std::string_view caption, std::string_view text,
                       Buttons buttons) override;
    std::optional<std::string> choose_data_file(QWidget* owner, const std::string& folder) override;
    std::optional<std::string> choose_save_file(QWidget* owner, const std::string& suggested) override;
    SaveChoice ask_to_save(QWidget* owner, const QString& file_name) override;
    void show_about(QWidget* owner) override;
    StaleEditChoice ask_about_unsaved_edits(QWidget* owner, const QString& file_name) override;
    std::optional<double> ask_min_angle(QWidget* owner, double current) override;
    void close_message_box() override;

private:
    // The message boxes open now, the innermost last.
    std::vector<QPointer<QMessageBox>> open_boxes_;
};

}  // namespace tesu
