#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Translations {

QLocale userLocale()
{
    QByteArray messages = qgetenv("LC_ALL");
    if (messages.isEmpty())
        messages = qgetenv("LC_MESSAGES");
    if (messages.isEmpty())
        messages = qgetenv("LANG");
    if (messages.isEmpty() || messages == "C" || messages == "POSIX" || messages.startsWith("C."))
        return QLocale::c();
    // The system locale's UI languages are LANGUAGE's list when it is set, else the variable above.
    return QLocale::system();
}

bool install(QCoreApplication &app, const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return false;
    auto *own = new QTranslator(&app);
    if (!own->load(locale, QStringLiteral("project-catalogue"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    auto *qt = new QTranslator(&app);
    if (qt->load(QLocale(own->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}

} // namespace Translations
