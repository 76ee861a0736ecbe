#include "ui/qt/modal_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/qt/about_dialog.h"

namespace tesu {

namespace {

QString from_utf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// A data file is found whichever case its extension is written in; the
// second filter lists every file, names without a dot included.
const char* const DATA_FILE_FILTERS = "ﾃﾞｰﾀ ﾌｧｲﾙ(*.DAT *.dat);;全てのファイル(*)";

}  // namespace

Answer QtDialogs::message_box(QWidget* owner, std::string_view caption, std::string_view text,
                              Buttons buttons) {
    QMessageBox box(QMessageBox::NoIcon, from_utf8(caption), from_utf8(text),
                    buttons == Buttons::ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? Answer::ok : Answer::cancel;
}

std::optional<std::string> QtDialogs::choose_data_file(QWidget* owner) {
    const QString path = QFileDialog::getOpenFileName(owner, QString(), QString(), DATA_FILE_FILTERS);
    if (path.isEmpty()) return std::nullopt;
    return QFile::encodeName(path).toStdString();
}

SaveChoice QtDialogs::ask_to_save(QWidget* owner, const QString& file_name) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("メモ帳"),
                    QStringLiteral("%1 の変更を保存しますか?").arg(file_name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::save;
        case QMessageBox::Discard:
            return SaveChoice::discard;
        default:
            return SaveChoice::cancel;
    }
}

void QtDialogs::show_about(QWidget* owner) {
    AboutDialog dialog(owner);
    dialog.exec();
}

}  // namespace tesu
