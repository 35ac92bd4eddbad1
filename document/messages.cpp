#include "messages.h"

#include "catalogue.h"
#include "cataloguefile.h"
#include "fileidentity.h"

#include "printabletext.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>

QString Message::joined() const
{
    return detail.isEmpty() ? text : text + QLatin1Char('\r') + detail;
}

bool operator==(const Message &a, const Message &b)
{
    return a.text == b.text && a.detail == b.detail;
}

QDebug operator<<(QDebug debug, const Message &message)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "Message(" << message.text << ", " << message.detail << ')';
    return debug;
}

namespace Messages {

QString photosSkipped()
{
    return QCoreApplication::translate("Messages", "These files were not made into pictures:");
}

QList<Message> afterReading(const CatalogueFile &file, bool read)
{
    const QString name = QFileInfo(file.fileName()).fileName();
    const QString unchanged =
        QCoreApplication::translate("Messages", "The file is unchanged until you press Save All.");
    if (file.isMissing())
        return {};
    if (!read)
        return {{QCoreApplication::translate("Messages", "Not possible to read %1").arg(name), file.errorString()}};
    if (file.droppedRecords() > 0) {
        return {{QCoreApplication::translate("Messages",
                                             "%1 holds %2 more projects than the %3 that can be kept; only the first "
                                             "%3 were loaded.")
                     .arg(name)
                     .arg(file.droppedRecords())
                     .arg(Catalogue::MaxProjects),
                 unchanged}};
    }
    if (file.holdsNoProject())
        return {
            {QCoreApplication::translate("Messages", "%1 holds no project that could be read.").arg(name), unchanged}};
    return {};
}

QString withReason(const QString &message, const QString &reason)
{
    return message + QLatin1Char('\r') + reason;
}

QString textNotKept(qsizetype position, const QString &name, Field field)
{
    // The field as the window captions it.
    static const char *const Captions[] = {
        QT_TRANSLATE_NOOP("Messages", "TIP or Project Name"), QT_TRANSLATE_NOOP("Messages", "Location"),
        QT_TRANSLATE_NOOP("Messages", "Short Description"), QT_TRANSLATE_NOOP("Messages", "Long Description")};
    const char *caption = Captions[int(field)];
    return QCoreApplication::translate("Messages",
                                       "The %1 of project %2 (\"%3\") holds a line that projects.txt cannot keep "
                                       "apart from the next field.\rSaving it changes that project when the file is "
                                       "read again.")
        .arg(QCoreApplication::translate("Messages", caption))
        .arg(position + 1)
        .arg(printableText(name));
}

QString beforeReplacing(const QString &fileName, const FileIdentity &read)
{
    switch (read.kind()) {
    case FileIdentity::Kind::Unreadable: {
        QString reason = read.reason();
        if (reason.endsWith(QLatin1Char('.')))
            reason.chop(1);
        return QCoreApplication::translate("Messages", "%1 could not be read (%2).\rReplacing it loses what it holds.")
            .arg(fileName, reason);
    }
    case FileIdentity::Kind::Missing:
        return QCoreApplication::translate(
                   "Messages",
                   "%1 was made by another program after the catalogue was opened.\rReplacing it loses "
                   "what it holds.")
            .arg(fileName);
    case FileIdentity::Kind::NothingKept:
        return QCoreApplication::translate("Messages",
                                           "%1 holds no project that could be read.\rReplacing it loses "
                                           "what it holds.")
            .arg(fileName);
    case FileIdentity::Kind::Unknown:
    case FileIdentity::Kind::Known:
        break;
    }
    return QCoreApplication::translate(
               "Messages", "%1 was changed by another program after it was read.\rReplacing it loses those changes.")
        .arg(fileName);
}

QString beforeSeparatingNames(const QString &fileName)
{
    return QCoreApplication::translate("Messages",
                                       "%1 has another name (a hard link).\rSaving gives %1 a file of its "
                                       "own, and the other name keeps the old text.")
        .arg(fileName);
}

} // namespace Messages
