#include "cataloguefile.h"

#include "plainfile.h"
#include "safefile.h"

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
        return fail(file.errorString());
    }
    std::optional<CatalogueFormat::Parsed> parsed = CatalogueFormat::read(file.file());
    if (!parsed)
        return fail(file.file().errorString());
    m_parsed = std::move(*parsed);
    m_noProject = m_parsed.projects.isEmpty() && m_parsed.hasText;
    m_error.clear();
    return true;
}

bool CatalogueFile::write(const Catalogue &catalogue)
{
    SafeFile file(m_path);
    if (!file.open())
        return fail(file.errorString());
    if (!file.commit(CatalogueFormat::write(catalogue.Projects(), file.device(), catalogue.fileEncoding())))
        return fail(file.errorString());
    m_error.clear();
    return true;
}
