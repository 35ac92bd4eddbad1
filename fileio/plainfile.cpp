#include "plainfile.h"

#include "fileerrors.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

PlainFile::PlainFile(const QString &path) : m_path(path) {}

bool PlainFile::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

bool PlainFile::open()
{
    const int descriptor = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        m_missing = error == ENOENT && !QFileInfo(m_path).isSymLink()
            && FileErrors::missingFolder(QFileInfo(m_path).path()).isEmpty();
        return fail(FileErrors::reason(error, m_path));
    }
    QString refused;
    if (::fstat(descriptor, &m_info) != 0)
        refused = FileErrors::reason(errno, m_path);
    else if (S_ISDIR(m_info.st_mode))
        refused = QCoreApplication::translate("PlainFile", "It is a folder, not a file.");
    else if (!S_ISREG(m_info.st_mode))
        refused = FileErrors::notPlainFile(m_path);
    else if (!m_file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        refused = m_file.errorString();
    if (refused.isEmpty())
        return true;
    if (!m_file.isOpen())
        ::close(descriptor);
    return fail(refused);
}
