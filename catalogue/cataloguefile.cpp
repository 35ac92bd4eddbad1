#include "cataloguefile.h"

#include "contenthash.h"
#include "plainfile.h"
#include "safefile.h"

#include <QCoreApplication>
#include <QFileInfo>

CatalogueFile::CatalogueFile(const QString &path) : m_path(path) {}

bool CatalogueFile::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

bool CatalogueFile::read()
{
    m_parsed = {};
    m_missing = false;
    m_noProject = false;
    const qint64 takenAt = FileIdentity::now();
    PlainFile file(m_path);
    if (!file.open()) {
        m_missing = file.isMissing();
        m_identity = m_missing ? FileIdentity::missing() : FileIdentity::unreadable(file.errorString());
        return fail(file.errorString());
    }
    HashingReader reader(file.file());
    std::optional<CatalogueFormat::Parsed> parsed = CatalogueFormat::read(reader);
    if (!parsed) {
        m_identity = FileIdentity::unreadable(file.file().errorString());
        return fail(file.file().errorString());
    }
    // A file that grew while it was read has bytes the hash did not see.
    const ContentHash &hash = reader.hash();
    m_identity = FileIdentity::of(file.info(), takenAt,
                                  hash.size() == file.info().size ? std::optional(hash.value()) : std::nullopt);
    m_parsed = std::move(*parsed);
    m_noProject = m_parsed.projects.isEmpty() && m_parsed.hasText;
    // Text the catalogue kept nothing of is lost by a save unless the user agrees.
    if (m_noProject)
        m_identity = FileIdentity::nothingKept(m_identity);
    m_error.clear();
    return true;
}

bool CatalogueFile::write(const QList<ProjectInfo> &projects, FileEncoding encoding, const FileIdentity &expected,
                          Replace replace)
{
    m_changed = false;
    m_otherNames = false;
    m_refused = false;
    m_found = {};
    SafeFile file(m_path);
    if (!file.open()) {
        m_refused = file.refused();
        return fail(file.errorString());
    }
    const bool written = CatalogueFormat::write(projects, file.device(), encoding);
    // Judged after the bytes are written, just before they take the file's place: a change made
    // while they were written is not lost either.
    if (written && !file.mayReplace(expected)) {
        m_changed = true;
        m_found = FileIdentity::current(file.target());
        return fail(QCoreApplication::translate("CatalogueFile", "%1 was changed by another program.")
                        .arg(QFileInfo(m_path).fileName()));
    }
    if (written && replace == Replace::IfUnchanged && file.hasOtherNames()) {
        m_otherNames = true;
        m_found = expected;
        return fail(
            QCoreApplication::translate("CatalogueFile", "%1 has another name.").arg(QFileInfo(m_path).fileName()));
    }
    if (!file.commit(written))
        return fail(file.errorString());
    m_identity = file.identity();
    m_error.clear();
    return true;
}
