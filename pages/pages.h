#pragma once

#include "projectinfo.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class SafeFile;

namespace Pages {

inline const QString IndexFileName = QStringLiteral("projects_index.htm");
inline const QString ShortFileName = QStringLiteral("projects_short.htm");
inline const QString LongFileName = QStringLiteral("projects_long.htm");
// The three, in the order they are written.
inline const QStringList FileNames{IndexFileName, ShortFileName, LongFileName};

// Each page as the bytes of its file.
QByteArray BuildIndexPage(const QList<ProjectInfo> &projects);
QByteArray BuildShortPage(const QList<ProjectInfo> &projects);
QByteArray BuildLongPage(const QList<ProjectInfo> &projects);

// Writes the three pages into a folder the way QSaveFile writes a file: each page replaces the old
// one whole or not at all, and a failure says which page and why.
class Publisher
{
public:
    explicit Publisher(const QString &folder);

    // Writes index, short and long in that order, stopping at the first page that cannot be
    // written: false then, with failedFile() naming it and errorString() saying why; the pages
    // before it are new, it and the ones after it as they were.
    bool publish(const QList<ProjectInfo> &projects);

    QString failedFile() const { return m_failedFile; }
    QString errorString() const { return m_error; }
    // After a failed publish(): the page's place holds something the program does not replace
    // (SafeFile::refused()), as opposed to a page it could not write.
    bool refused() const { return m_refused; }

private:
    bool fail(const QString &fileName, const SafeFile &file);

    QString m_folder;
    QString m_failedFile;
    QString m_error;
    bool m_refused = false;
};

} // namespace Pages
