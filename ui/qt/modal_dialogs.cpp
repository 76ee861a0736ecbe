#include "ui/qt/modal_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeView>

#include "refine/quality_options.h"
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

// The open dialog starts wide enough for its name, size, type and date
// columns in Japanese.
constexpr int OPEN_DIALOG_WIDTH = 820;
constexpr int OPEN_DIALOG_HEIGHT = 500;

// A question answered by one of three buttons, each with its access key; the
// index of the button pressed, the last one also for Esc and the close box.
int ask_three_ways(QWidget* owner, const QString& caption, const QString& text, const QString (&buttons)[3]) {
    Box box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    QPushButton* pressed[3];
    pressed[0] = box.addButton(buttons[0], QMessageBox::AcceptRole);
    pressed[1] = box.addButton(buttons[1], QMessageBox::DestructiveRole);
    pressed[2] = box.addButton(buttons[2], QMessageBox::RejectRole);
    box.setDefaultButton(pressed[0]);
    box.setEscapeButton(pressed[2]);
    fit_caption(box);
    box.exec();
    for (int i = 0; i < 2; ++i) {
        if (box.clickedButton() == pressed[i]) return i;
    }
    return 2;
}

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
    open_boxes_.emplace_back(&box);
    const int answer = box.exec();
    open_boxes_.pop_back();
    return answer == QMessageBox::Ok ? Answer::ok : Answer::cancel;
}

void QtDialogs::close_message_box() {
    if (!open_boxes_.empty() && open_boxes_.back()) open_boxes_.back()->done(QMessageBox::Cancel);
}

std::optional<std::string> QtDialogs::choose_data_file(QWidget* owner, const std::string& folder) {
    QFileDialog dialog(owner, QString(), QFile::decodeName(folder.c_str()), DATA_FILE_FILTERS);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.resize(OPEN_DIALOG_WIDTH, OPEN_DIALOG_HEIGHT);
    // The size, type and date columns as wide as their longest texts
    // usually are; measured on samples, since a large folder would take long
    // to measure row by row. The system's own dialog has no such view.
    for (QTreeView* details : dialog.findChildren<QTreeView*>()) {
        const QFontMetrics metrics = details->fontMetrics();
        const QString samples[] = {QStringLiteral("1023.9 KiB バイト"), QStringLiteral("DAT ファイル の種類"),
                                   QStringLiteral("2026/12/31 23:59:59")};
        for (int column = 1; column <= 3; ++column) {
            details->header()->resizeSection(column, metrics.horizontalAdvance(samples[column - 1]) + 24);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
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
    const QString buttons[3] = {QStringLiteral("保存する(&S)"), QStringLiteral("保存しない(&N)"),
                                QStringLiteral("キャンセル(&C)")};
    switch (ask_three_ways(owner, QStringLiteral("メモ帳"),
                           QStringLiteral("%1 の変更を保存しますか?").arg(file_name), buttons)) {
        case 0:
            return SaveChoice::save;
        case 1:
            return SaveChoice::discard;
        default:
            return SaveChoice::cancel;
    }
}

StaleEditChoice QtDialogs::ask_about_unsaved_edits(QWidget* owner, const QString& file_name) {
    const QString buttons[3] = {QStringLiteral("保存して生成(&S)"), QStringLiteral("保存せずに生成(&D)"),
                                QStringLiteral("キャンセル(&C)")};
    const QString text = QStringLiteral(
                             "%1 のメモ帳に保存していない変更があります。\n"
                             "変更を保存してから要素を生成しますか?\n"
                             "保存せずに生成すると、ディスク上のファイルで生成します。")
                             .arg(file_name);
    switch (ask_three_ways(owner, QStringLiteral("座標データの読み込み"), text, buttons)) {
        case 0:
            return StaleEditChoice::save_and_mesh;
        case 1:
            return StaleEditChoice::mesh_file_on_disk;
        default:
            return StaleEditChoice::cancel;
    }
}

std::optional<double> QtDialogs::ask_min_angle(QWidget* owner, double current) {
    bool chosen = false;
    const double degrees = QInputDialog::getDouble(
        owner, QStringLiteral("品質モード"),
        QStringLiteral("要素の最小角 (度、%1 以下):\n0 のときは輪郭線に沿わせるだけで、角度は問いません。")
            .arg(MAX_MIN_ANGLE),
        current, 0, MAX_MIN_ANGLE, 1, &chosen);
    if (!chosen) return std::nullopt;
    return degrees;
}

void QtDialogs::show_about(QWidget* owner) {
    AboutDialog dialog(owner, this);
    dialog.exec();
}

}  // namespace tesu
