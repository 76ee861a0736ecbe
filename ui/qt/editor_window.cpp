#include "ui/qt/editor_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QKeySequence>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QStatusBar>
#include <QTextDocument>
#include <filesystem>

namespace tesu {

namespace {

constexpr std::string_view EDITOR_CAPTION = "メモ帳";

std::string base_name(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

QString editor_title(const std::string& path) {
    return QStringLiteral("メモ帳 - ") + QFile::decodeName(base_name(path).c_str());
}

QWidget* find_window_titled(const QString& title) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowTitle() == title) return window;
    }
    return nullptr;
}

EditorWindow* find_editor(const std::string& path) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* editor = qobject_cast<EditorWindow*>(window);
        std::error_code error;
        if (editor && editor->isVisible() && std::filesystem::equivalent(editor->path(), path, error))
            return editor;
    }
    return nullptr;
}

void edit_file(const std::string& path, ModalDialogs& dialogs, QWidget* owner) {
    // Found by its file first: its title changes with unsaved changes.
    QWidget* open = find_editor(path);
    if (!open) open = find_window_titled(editor_title(path));
    if (open) {
        open->setWindowState(open->windowState() & ~Qt::WindowMinimized);
        open->raise();
        open->activateWindow();
        open->setFocus();
        return;
    }
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs.message_box(
            owner, EDITOR_CAPTION,
            (file.fileName() + QStringLiteral(" を開けません。\n") + file.errorString()).toStdString(),
            Buttons::ok);
        return;
    }
    const QByteArray bytes = file.readAll();
    auto* editor = new EditorWindow(path, bytes.toStdString(), dialogs);
    editor->show();
}

EditorWindow::EditorWindow(const std::string& path, const std::string& bytes, ModalDialogs& dialogs)
    : path_(path), dialogs_(dialogs), text_(new QPlainTextEdit(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(editor_title(path));
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    setCentralWidget(text_);
    resize(640, 480);

    QMenu* file_menu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file_menu->addAction(QStringLiteral("上書き保存(&S)"), QKeySequence::Save, this, [this] { save(); });
    file_menu->addSeparator();
    file_menu->addAction(QStringLiteral("閉じる(&X)"), this, &QWidget::close);

    const DecodedText decoded = decode_cp932(bytes);
    text_->setPlainText(QString::fromStdString(decoded.utf8));
    line_end_ = decoded.line_end;
    refusal_ = decoded.problem;
    if (refusal_.empty()) {
        // The editor itself may change a character (a no-break space, say):
        // the text as it holds it must give the file's bytes back.
        std::string unused;
        const auto again = encode_cp932(text_->toPlainText().toStdString(), line_end_, unused);
        if (!again || *again != bytes) refusal_ = "Shift_JIS に戻すと元のファイルと同じバイトになりません。";
    }
    if (!refusal_.empty()) {
        text_->setReadOnly(true);
        statusBar()->showMessage(QStringLiteral("読み取り専用: ") + QString::fromStdString(refusal_));
    }
    text_->document()->setModified(false);
    connect(text_->document(), &QTextDocument::modificationChanged, this, &EditorWindow::show_modified);
}

void EditorWindow::show_modified(bool modified) {
    setWindowTitle(modified ? QStringLiteral("メモ帳 - *") + file_name() : editor_title(path_));
}

bool EditorWindow::save() {
    if (!refusal_.empty()) {
        dialogs_.message_box(this, EDITOR_CAPTION, "このファイルは保存しません。\n" + refusal_, Buttons::ok);
        return false;
    }
    std::string problem;
    const auto bytes = encode_cp932(text_->toPlainText().toStdString(), line_end_, problem);
    if (!bytes) {
        dialogs_.message_box(this, EDITOR_CAPTION, "保存しませんでした。\n" + problem, Buttons::ok);
        return false;
    }
    QSaveFile file(QFile::decodeName(path_.c_str()));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes->data(), qint64(bytes->size())) != qint64(bytes->size()) || !file.commit()) {
        dialogs_.message_box(this, EDITOR_CAPTION,
                             "保存できませんでした。\n" + file.errorString().toStdString(), Buttons::ok);
        return false;
    }
    text_->document()->setModified(false);
    return true;
}

bool EditorWindow::has_unsaved_changes() const { return text_->document()->isModified(); }

QString EditorWindow::file_name() const { return QFile::decodeName(base_name(path_).c_str()); }

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (!text_->document()->isModified()) return event->accept();
    switch (dialogs_.ask_to_save(this, QFile::decodeName(base_name(path_).c_str()))) {
        case SaveChoice::save:
            if (save()) return event->accept();
            return event->ignore();
        case SaveChoice::discard:
            return event->accept();
        case SaveChoice::cancel:
            return event->ignore();
    }
}

}  // namespace tesu
