#include "cataloguefile.h"

#include "contenthash.h"
#include "plainfile.h"
#include "safefile.h"

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
    m_identity =
        FileIdentity::of(file.info(), hash.size() == file.info().st_size ? std::optional(hash.value()) : std::nullopt);
    m_parsed = std::move(*parsed);
    m_noProject = m_parsed.projects.isEmpty() && m_parsed.hasText;
    m_error.clear();
    return true;
}

bool CatalogueFile::write(const QList<ProjectInfo> &projects, FileEncoding encoding, const FileIdentity &expected,
                          Replace replace)
{
    m_changed = false;
    m_refused = false;
    SafeFile file(m_path);
    if (!file.open()) {
        m_refused = file.refused();
        return fail(file.errorString());
    }
    if (replace == Replace::IfUnchanged && !file.mayReplace(expected)) {
        m_changed = true;
        return fail(QStringLiteral("%1 was changed by another program.").arg(QFileInfo(m_path).fileName()));
    }
    if (!file.commit(CatalogueFormat::write(projects, file.device(), encoding)))
        return fail(file.errorString());
    m_identity = file.identity();
    m_error.clear();
    return true;
}
