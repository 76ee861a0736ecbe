// The real message boxes, answered by clicking them as a user would: their
// width and place; and Qt's own texts in Japanese.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "ui/qt/box_placement.h"
#include "ui/qt/modal_dialogs.h"
#include "ui/qt/qt_translation.h"

namespace tesu {
namespace {

TEST(MessageBoxes, AreAsWideAsTheirCaptionNeedsAndCentredOnTheWindow) {
    QMainWindow owner;
    owner.setGeometry(40, 30, 680, 540);
    owner.show();
    const QString caption = QStringLiteral("メッシュの生成を最後まで確かめるための長い表題");
    QRect shown;
    int needed = 0;
    QTimer::singleShot(0, &owner, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->frameGeometry();
        needed = caption_width(caption, box->font());
        box->button(QMessageBox::Cancel)->click();
    });
    QtDialogs dialogs;
    EXPECT_EQ(dialogs.message_box(&owner, caption.toStdString(), "短い本文", Buttons::ok_cancel),
              Answer::cancel);
    EXPECT_GE(shown.width(), needed);
    EXPECT_LE((shown.center() - owner.frameGeometry().center()).manhattanLength(), 1);
}

TEST(MessageBoxes, OfAProgramStartedWithAFileWaitForItsWindowOnScreen) {
    QMainWindow window;
    int calls = 0;
    bool exposed = false;
    when_exposed(window, [&] {
        ++calls;
        exposed = window.windowHandle()->isExposed();
    });
    QTest::qWait(20);
    EXPECT_EQ(calls, 0);
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }));
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(exposed);
}

TEST(QtTranslation, SpeaksJapaneseInAJapaneseLocaleOnly) {
    EXPECT_EQ(install_qt_translation(*QCoreApplication::instance(), QLocale(QLocale::English)), nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    QTranslator* japanese = install_qt_translation(*QCoreApplication::instance(), QLocale(QLocale::Japanese));
    ASSERT_NE(japanese, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    QCoreApplication::removeTranslator(japanese);
    delete japanese;
}

}  // namespace
}  // namespace tesu
