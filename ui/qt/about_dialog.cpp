#include "ui/qt/about_dialog.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

#include "ui/qt/box_placement.h"
#include "ui/qt/modal_dialogs.h"

namespace tesu {

namespace {

// The box is laid out in dialog units: a quarter of the font's average
// character width across, an eighth of its height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        // Rounded as the average of 52 letters, like the classic layout.
        char_width_ = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        // The Japanese texts may come from a fallback font with taller lines.
        const QRect japanese = metrics.boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignLeft | Qt::AlignTop,
                                                    QStringLiteral("自動要素生成"));
        char_height_ = std::max(metrics.height(), japanese.height());
    }
    int x(int units) const { return units * char_width_ / 4; }
    int y(int units) const { return units * char_height_ / 8; }
    QRect rect(int left, int top, int width, int height) const {
        return QRect(x(left), y(top), x(width), y(height));
    }

private:
    int char_width_;
    int char_height_;
};

QLabel* add_label(QWidget* dialog, const QString& text, const QRect& where) {
    auto* label = new QLabel(text, dialog);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(where);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* owner, ModalDialogs* dialogs)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      dialogs_(dialogs),
      open_url_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setWindowTitle(QString::fromUtf8(ABOUT_CAPTION.data(), qsizetype(ABOUT_CAPTION.size())));
    const DialogUnits du(font());
    setFixedSize(std::max(du.x(154), caption_width(windowTitle(), font())), du.y(94));

    ok_button_ = new QPushButton(QStringLiteral("OK"), this);
    ok_button_->setGeometry(du.rect(52, 76, 50, 14));
    ok_button_->setDefault(true);
    connect(ok_button_, &QPushButton::clicked, this, [this] {
        ok_pressed_ = true;
        accept();
    });

    add_label(this, QStringLiteral("二次元有限要素法のための\n自動要素生成"), du.rect(40, 5, 105, 18));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/tesu.png")).pixmap(32, 32));
    icon->setGeometry(du.rect(10, 5, 20, 20));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    add_label(this, QStringLiteral("TESU Version 3.15"), du.rect(39, 25, 87, 9));
    add_label(this, QStringLiteral("Copyright (C) TESU project"), du.rect(15, 37, 132, 8));
    add_label(this, QStringLiteral("連絡先: tesu@example.org"), du.rect(15, 48, 135, 8));

    home_page_button_ = new QPushButton(QString::fromLatin1(HOME_PAGE), this);
    home_page_button_->setGeometry(du.rect(5, 60, 144, 11));
    home_page_button_->setAutoDefault(false);
    connect(home_page_button_, &QPushButton::clicked, this, &AboutDialog::open_home_page);
}

void AboutDialog::open_home_page() {
    if (open_url_(QUrl(QString::fromLatin1(HOME_PAGE)))) return;
    QtDialogs own;
    ModalDialogs& dialogs = dialogs_ ? *dialogs_ : own;
    dialogs.message_box(this, ABOUT_CAPTION,
                        std::string("ブラウザを起動できませんでした。\nホームページ: ") + HOME_PAGE,
                        Buttons::ok);
}

void AboutDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centre_on(*this, parentWidget());
}

void AboutDialog::reject() {}

void AboutDialog::closeEvent(QCloseEvent* event) {
    // Closing the dialog through OK may pass here too.
    if (!ok_pressed_) event->ignore();
}

}  // namespace tesu
