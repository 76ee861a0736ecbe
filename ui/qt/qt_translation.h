// Qt's own texts in Japanese (the standard buttons, the file dialogs) when
// the locale is Japanese, from Qt's translation qtbase_ja.qm. The program's
// own texts are Japanese in every locale and are never translated.
#pragma once

class QCoreApplication;
class QLocale;
class QTranslator;

namespace tesu {

// The installed translator, owned by the application; null when the locale
// is not Japanese or Qt's translation is not there.
QTranslator* install_qt_translation(QCoreApplication& application, const QLocale& locale);

}  // namespace tesu
