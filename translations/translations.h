#pragma once

#include <QLocale>

class QCoreApplication;

// The program's words in the user's language, and Qt's own (standard buttons, the folder dialog,
// the command line parser) in the same one.
namespace Translations {

// The language the user reads messages in, as the C library decides it: LC_ALL, else LC_MESSAGES,
// else LANG, and LANGUAGE's list of languages unless that comes to the C locale. So LC_ALL=C gives
// the English texts whatever LANGUAGE a desktop session has set, as GNU programs do.
QLocale userLocale();

// Installs into `app` the program's translation for `locale` (de_AT falling back to de), and,
// when there is one, Qt's own for the same language, so that a dialog never mixes two languages.
// False when the program has none for that locale: it speaks English then.
bool install(QCoreApplication &app, const QLocale &locale);

} // namespace Translations
