#pragma once

#include "catalogueformat.h"
#include "fileidentity.h"
#include "projectinfo.h"

#include <QList>
#include <QString>

#include <utility>

inline const QString ProjectsFileName = QStringLiteral("projects.txt");

// The catalogue file on disk, read and written the way QFile and QSaveFile are: each operation says
// whether it succeeded, and errorString() says why it did not.
class CatalogueFile
{
public:
    explicit CatalogueFile(const QString &path = ProjectsFileName);

    QString fileName() const { return m_path; }

    // Reads the whole file; false when it is missing (isMissing()) or cannot be read, and the file
    // is then left as it is. A read may still have kept less than the file holds: records past the
    // catalogue's limit (droppedRecords()), or text from which no project could be read
    // (holdsNoProject()).
    bool read();
    bool isMissing() const { return m_missing; }
    // What the last read found, none after a failed one.
    const QList<ProjectInfo> &projects() const { return m_parsed.projects; }
    QList<ProjectInfo> takeProjects() { return std::exchange(m_parsed.projects, {}); }
    FileEncoding encoding() const { return m_parsed.encoding; }
    qsizetype droppedRecords() const { return m_parsed.droppedRecords; }
    bool holdsNoProject() const { return m_noProject; }

    enum class Replace {
        IfUnchanged, // only the file `expected` describes, and only when it has no other name
        SeparatingNames, // the file `expected` describes, even one with other names, which keep the old text
    };
    // Replaces the file with the whole catalogue in `encoding`, durably; false when it cannot, and
    // the old file is then whole. The file is judged just before it is replaced: one that is no
    // longer what `expected` says it was (changed by another program, unreadable, or holding
    // nothing that was kept) gives false with changedSinceRead(), and one with another name (a hard
    // link) false with hasOtherNames() unless `replace` says to separate the names; nothing is
    // written then, and found() is the file the question is about.
    bool write(const QList<ProjectInfo> &projects, FileEncoding encoding, const FileIdentity &expected,
               Replace replace = Replace::IfUnchanged);
    bool changedSinceRead() const { return m_changed; }
    bool hasOtherNames() const { return m_otherNames; }
    FileIdentity found() const { return m_found; }
    // After a failed write(): the file is not one the program replaces (SafeFile::refused()).
    bool refused() const { return m_refused; }

    // What the file was at the last read or write: a successful write gives the new file.
    FileIdentity identity() const { return m_identity; }

    QString errorString() const { return m_error; }

private:
    bool fail(const QString &reason);

    QString m_path;
    CatalogueFormat::Parsed m_parsed;
    bool m_missing = false;
    bool m_noProject = false;
    bool m_changed = false;
    bool m_otherNames = false;
    FileIdentity m_found;
    bool m_refused = false;
    FileIdentity m_identity;
    QString m_error;
};
