#pragma once

#include "catalogue.h"
#include "catalogueformat.h"
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

    // Replaces the file with the whole catalogue, in the encoding it was read in, durably; false
    // when it cannot, and the old file is then whole.
    bool write(const Catalogue &catalogue);

    QString errorString() const { return m_error; }

private:
    bool fail(const QString &reason);

    QString m_path;
    CatalogueFormat::Parsed m_parsed;
    bool m_missing = false;
    bool m_noProject = false;
    QString m_error;
};
