#include "plainfile.h"

#include "fileerrors.h"
#include "filestatus_linux.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

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
    struct stat info;
    if (::fstat(descriptor, &info) != 0)
        refused = FileErrors::reason(errno, m_path);
    else if (S_ISDIR(info.st_mode))
        refused = QCoreApplication::translate("PlainFile", "It is a folder, not a file.");
    else if (!S_ISREG(info.st_mode))
        refused = FileErrors::notPlainFile(m_path);
    else if (!m_file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        refused = m_file.errorString();
    if (refused.isEmpty()) {
        m_info = statusFrom(info);
        return true;
    }
    if (!m_file.isOpen())
        ::close(descriptor);
    return fail(refused);
}
