#include "ui/qt/about_dialog.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "gui_test_support.h"

namespace tesu {
namespace {

// Stands in for the browser.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    QStringList urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls << url.toString(); }
};

TEST(AboutDialog, ShowsItsTextsInFullInsideTheBox) {
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("TESUについて"));
    EXPECT_EQ(dialog.home_page_button()->text(), QString::fromLatin1(HOME_PAGE));
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        texts << label->text();
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
        EXPECT_LE(label->sizeHint().height(), label->height()) << label->text().toStdString();
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("二次元有限要素法のための\n自動要素生成")));
    EXPECT_TRUE(texts.contains(QStringLiteral("TESU Version 3.15")));
    for (const QWidget* child : dialog.findChildren<QWidget*>())
        EXPECT_TRUE(dialog.rect().contains(child->geometry()));
}

TEST(AboutDialog, OnlyOkEndsItAndTheHomePageButtonOpensTheBrowser) {
    UrlCatcher browser;
    AboutDialog dialog;
    bool open_after_escape = false;
    bool open_after_close_box = false;
    bool open_after_home_page = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        open_after_escape = dialog.isVisible();
        dialog.close();
        open_after_close_box = dialog.isVisible();
        QTest::mouseClick(dialog.home_page_button(), Qt::LeftButton);
        open_after_home_page = dialog.isVisible();
        QTest::keyClick(&dialog, Qt::Key_Return);  // OK is the default button
    });
    dialog.exec();
    EXPECT_TRUE(open_after_escape);
    EXPECT_TRUE(open_after_close_box);
    EXPECT_TRUE(open_after_home_page);
    EXPECT_EQ(browser.urls, QStringList{QString::fromLatin1(HOME_PAGE)});
    EXPECT_FALSE(dialog.isVisible());
}

TEST(AboutDialog, IsCentredOnItsOwnerAndShowsTheAddressWhenNoBrowserStarts) {
    QMainWindow owner;
    owner.setGeometry(60, 40, 600, 500);
    owner.show();
    testing::ScriptedDialogs dialogs;
    AboutDialog dialog(&owner, &dialogs);
    dialog.set_url_opener([](const QUrl&) { return false; });
    QRect shown;
    QTimer::singleShot(0, &dialog, [&] {
        shown = dialog.frameGeometry();
        QTest::mouseClick(dialog.home_page_button(), Qt::LeftButton);
        dialog.ok_button()->click();
    });
    dialog.exec();
    EXPECT_LE((shown.center() - owner.frameGeometry().center()).manhattanLength(), 1);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, "TESUについて");
    EXPECT_NE(dialogs.boxes[0].text.find(HOME_PAGE), std::string::npos);
}

}  // namespace
}  // namespace tesu

#include "about_dialog_test.moc"
