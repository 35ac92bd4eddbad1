#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "projectinfo.h"

class CatalogueFile;
class FileIdentity;
class QDebug;

// A message as the program carries it: its fixed sentence and, below it, what it says of this case
// (a reason, a folder), if anything.
struct Message
{
    QString text;
    QString detail;

    // As a message box shows it, and the command line prints it: the detail on a line of its own.
    QString joined() const;
};

bool operator==(const Message &a, const Message &b);
QDebug operator<<(QDebug debug, const Message &message);

// What the program tells the user, in the window's message boxes and on the command line alike. A
// message of two sentences joins them with a lone carriage return, which the box shows as a line
// break.
namespace Messages {

// A fixed text, in the user's language wherever it becomes a QString: the translation is looked
// up when the text is shown, not when the program starts, before any translation is installed.
struct FixedText
{
    const char *source;
    operator QString() const { return QCoreApplication::translate("Messages", source); }
    friend QString operator+(const FixedText &text, const QString &more) { return QString(text) + more; }
    friend QString operator+(const FixedText &text, const char *more)
    {
        return QString(text) + QString::fromUtf8(more);
    }
    friend QString operator+(const FixedText &text, QChar more) { return QString(text) + more; }
};

inline constexpr FixedText Creating{QT_TRANSLATE_NOOP("Messages", "No existing file, creating projects.txt")};
inline constexpr FixedText SaveFailed{
    QT_TRANSLATE_NOOP("Messages", "Not possible to Save Project Information\rCheck for write protection")};
inline constexpr FixedText NothingToDelete{QT_TRANSLATE_NOOP("Messages", "Please Select a Project to Delete")};
inline constexpr FixedText CatalogueFull{
    QT_TRANSLATE_NOOP("Messages", "Not possible to Add a Project\rThe catalogue already holds 32767 projects")};
inline constexpr FixedText PagesBuilt{QT_TRANSLATE_NOOP("Messages", "Pages Built")};
inline constexpr FixedText UnsavedChanges{
    QT_TRANSLATE_NOOP("Messages", "The catalogue has changes that are not saved.\rSave them to projects.txt first?")};
inline constexpr FixedText PagesFailed{
    QT_TRANSLATE_NOOP("Messages", "Not possible to Create Web Pages\rCheck for write protection")};

// What the start-up tells about a read of the catalogue file, `read` being what read() returned,
// naming the file: that it could not be read and why, or that records were dropped or none could
// be read. Nothing for a file read whole or a missing one, whose first run says so itself.
QList<Message> afterReading(const CatalogueFile &file, bool read);

// What heads the one message that names each photo file not made into a picture, with the reason.
QString photosSkipped();

// A failure message followed by its reason, for a failure that is not what the message suspects.
QString withReason(const QString &message, const QString &reason);

// What is said of a text that projects.txt cannot give back as it is: that of `field` of the project
// at `position` (counted from 0).
QString textNotKept(qsizetype position, const QString &name, Field field);

// The question before Save All replaces `fileName`, which is no longer what `read` describes:
// what replacing it loses.
QString beforeReplacing(const QString &fileName, const FileIdentity &read);

// The question before Save All replaces `fileName`, which has another name (a hard link).
QString beforeSeparatingNames(const QString &fileName);

} // namespace Messages
