#include "plainfile.h"

#include "fileerrors.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>

// Qt opens nothing without waiting, so the name is judged first: something put in the file's place
// between the two is not seen.
bool PlainFile::open()
{
    const QFileInfo info(m_path);
    if (!info.exists()) {
        m_missing = !info.isSymLink() && FileErrors::missingFolder(info.path()).isEmpty();
        return fail(FileErrors::reason(ENOENT, m_path));
    }
    if (info.isDir())
        return fail(QCoreApplication::translate("PlainFile", "It is a folder, not a file."));
    if (!info.isFile())
        return fail(FileErrors::notPlainFile(m_path));
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        // A reason is a sentence, as the system's are on Linux.
        const QString reason = m_file.errorString();
        return fail(reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.'));
    }
    m_info = FileStatus::of(m_path).value_or(FileStatus());
    return true;
}
