// The text editor for data files: one window per file title, reading and
// writing code page 932 with the file's own line ends. It never writes a
// file it could not read back faithfully, and asks before unsaved changes
// are lost.
#pragma once

#include <QMainWindow>
#include <string>

#include "ui/qt/modal_dialogs.h"
#include "ui/qt/shift_jis_text.h"

class QPlainTextEdit;

namespace tesu {

// "メモ帳 - " and the part of the path after its last '/'.
QString editor_title(const std::string& path);

// The visible top-level window with exactly this title, of any kind.
QWidget* find_window_titled(const QString& title);

class EditorWindow;
// The open editor of the file at `path` (the same file by any name), if any.
EditorWindow* find_editor(const std::string& path);

// Brings the editor of the file forward, or opens one. A file that cannot
// be read is reported in a message box over `owner`.
void edit_file(const std::string& path, ModalDialogs& dialogs, QWidget* owner = nullptr);

class EditorWindow : public QMainWindow {
    Q_OBJECT

public:
    EditorWindow(const std::string& path, const std::string& bytes, ModalDialogs& dialogs);

    QPlainTextEdit* text_edit() const { return text_; }
    // Why the file will not be written; empty when it can be.
    const std::string& refusal() const { return refusal_; }
    // Writes the text back; false, after saying why, when it was not written.
    bool save();
    bool has_unsaved_changes() const;
    // The file's own name, without its folder.
    QString file_name() const;
    const std::string& path() const { return path_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The title is the plain editor title while the text is as saved, and
    // marks the file's name with '*' while it holds unsaved changes.
    void show_modified(bool modified);

    std::string path_;
    ModalDialogs& dialogs_;
    QPlainTextEdit* text_;
    LineEnd line_end_ = LineEnd::lf;
    std::string refusal_;
};

}  // namespace tesu
