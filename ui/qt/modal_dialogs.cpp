#include "ui/qt/modal_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

#include "ui/qt/about_dialog.h"
#include "ui/qt/box_placement.h"

namespace tesu {

namespace {

QString from_utf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// A data file is found whichever case its extension is written in; the
// second filter lists every file, names without a dot included.
const char* const DATA_FILE_FILTERS = "ﾃﾞｰﾀ ﾌｧｲﾙ(*.DAT *.dat);;全てのファイル(*)";

// What tesu-batch writes with --export and --svg, and the picture.
const char* const SAVE_FILTERS =
    "Gmsh メッシュ (*.msh);;VTK 非構造格子 (*.vtu);;Triangle の節点と要素 (*.node *.ele);;"
    "Triangle の平面直線グラフ (*.poly);;SVG 図 (*.svg);;PNG 画像 (*.png)";

// A message box as wide as its caption needs, centred on its owner once it
// knows its size.
class Box : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        centre_on(*this, parentWidget());
    }
};

// The first extension of a filter such as "PNG 画像 (*.png)", with its dot.
QString first_extension(const QString& filter) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*(\\.[^ )]+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

Answer QtDialogs::message_box(QWidget* owner, std::string_view caption, std::string_view text,
                              Buttons buttons) {
    Box box(QMessageBox::NoIcon, from_utf8(caption), from_utf8(text),
            buttons == Buttons::ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    fit_caption(box);
    return box.exec() == QMessageBox::Ok ? Answer::ok : Answer::cancel;
}

std::optional<std::string> QtDialogs::choose_data_file(QWidget* owner, const std::string& folder) {
    const QString path =
        QFileDialog::getOpenFileName(owner, QString(), QFile::decodeName(folder.c_str()), DATA_FILE_FILTERS);
    if (path.isEmpty()) return std::nullopt;
    return QFile::encodeName(path).toStdString();
}

std::optional<std::string> QtDialogs::choose_save_file(QWidget* owner, const std::string& suggested) {
    QFileDialog dialog(owner, QStringLiteral("メッシュの保存"), QString(), SAVE_FILTERS);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(QFile::decodeName(suggested.c_str()));
    // Choosing a format gives the name its extension.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const QStringList names = dialog.selectedFiles();
        if (names.isEmpty()) return;
        const QFileInfo name(names.first());
        dialog.selectFile(name.dir().filePath(name.completeBaseName() + first_extension(filter)));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    QString path = dialog.selectedFiles().first();
    // A name typed without an extension takes the chosen format's.
    if (QFileInfo(path).suffix().isEmpty()) path += first_extension(dialog.selectedNameFilter());
    return QFile::encodeName(path).toStdString();
}

SaveChoice QtDialogs::ask_to_save(QWidget* owner, const QString& file_name) {
    Box box(QMessageBox::Warning, QStringLiteral("メモ帳"),
            QStringLiteral("%1 の変更を保存しますか?").arg(file_name),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Save);
    fit_caption(box);
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
    AboutDialog dialog(owner, this);
    dialog.exec();
}

}  // namespace tesu
