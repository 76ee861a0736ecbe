#include "ui/qt/about_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace tesu {
namespace {

// Stands in for the browser.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    std::vector<QString> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls.push_back(url.toString()); }
};

QStringList label_texts(const QDialog& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) texts << label->text();
    }
    return texts;
}

TEST(AboutDialog, ShowsTitleVersionAndMaker) {
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("TESUについて"));
    const QStringList texts = label_texts(dialog);
    EXPECT_TRUE(texts.contains(QStringLiteral("二次元有限要素法のための\n自動要素生成")));
    EXPECT_TRUE(texts.contains(QStringLiteral("TESU Version 3.15")));
    EXPECT_EQ(dialog.ok_button()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.home_page_button()->text(), QString::fromLatin1(HOME_PAGE));
}

TEST(AboutDialog, EveryControlFitsInsideTheBoxAndShowsAllItsText) {
    AboutDialog dialog;
    const QRect box = dialog.rect();
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        EXPECT_TRUE(box.contains(child->geometry())) << child->metaObject()->className();
    }
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
        EXPECT_LE(label->sizeHint().height(), label->height() + 2) << label->text().toStdString();
    }
}

TEST(AboutDialog, OnlyOkEndsIt) {
    AboutDialog dialog;
    bool open_after_escape = false;
    bool open_after_close_box = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        open_after_escape = dialog.isVisible();
        dialog.close();
        open_after_close_box = dialog.isVisible();
        dialog.ok_button()->click();
    });
    dialog.exec();
    EXPECT_TRUE(open_after_escape);
    EXPECT_TRUE(open_after_close_box);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(AboutDialog, HomePageButtonOpensTheBrowserAndKeepsTheBoxOpen) {
    UrlCatcher browser;
    AboutDialog dialog;
    dialog.show();
    QTest::mouseClick(dialog.home_page_button(), Qt::LeftButton);
    EXPECT_THAT(browser.urls, ::testing::ElementsAre(QString::fromLatin1(HOME_PAGE)));
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_Return);  // the default button is OK
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace tesu

#include "about_dialog_test.moc"
