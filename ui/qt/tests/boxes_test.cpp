// Qt's own texts in Japanese.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include "ui/qt/qt_translation.h"

namespace tesu {
namespace {

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
