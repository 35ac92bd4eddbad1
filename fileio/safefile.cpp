#include "safefile.h"

#include "fileerrors.h"

#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A link stays a link: the file it points to is the one replaced, in its own folder.
QString linkTarget(const QString &path)
{
    QFileInfo target(path);
    for (int depth = 0; target.isSymLink() && depth < 40; ++depth)
        target.setFile(target.symLinkTarget());
    return target.filePath();
}

// The rename is only on disk once the folder that holds the name is.
QString flushFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return FileErrors::reason(errno, folder);
    // EINVAL: a file system that keeps no folder data of its own to flush.
    const bool flushed = ::fsync(fd) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(fd);
    return flushed ? QString() : FileErrors::reason(error, folder);
}

} // namespace

qint64 SafeFile::WriteBackFile::writeData(const char *data, qint64 size)
{
    const qint64 at = pos();
    const qint64 written = QSaveFile::writeData(data, size);
    // Only the bytes just written: asking for the whole file each time would look it all over again.
    if (written > 0)
        ::sync_file_range(handle(), at, written, SYNC_FILE_RANGE_WRITE);
    return written;
}

SafeFile::SafeFile(const QString &path) : m_path(linkTarget(path)), m_file(m_path)
{
    // A replacement never goes in as a plain overwrite, which a crash would leave half-written.
    m_file.setDirectWriteFallback(false);
}

bool SafeFile::fail(const QString &reason)
{
    m_error = reason;
    if (m_file.isOpen())
        m_file.cancelWriting();
    return false;
}

bool SafeFile::open()
{
    const QString folderGone = FileErrors::missingFolder(QFileInfo(m_path).path());
    if (!folderGone.isEmpty())
        return fail(folderGone);
    if (QFileInfo(m_path).isDir())
        return fail(FileErrors::notPlainFile(m_path));
    // Unbuffered, so a short write (a full disk) is seen at the write that failed.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(m_file.errorString());
    keepOwnerAndMode();
    return true;
}

// The new file keeps the old one's owner and group where the process may give them, and its read,
// write and execute permissions (not set-user-ID and the like). The temporary file starts private
// and is opened up only after it changed hands, so it is never more open than the final one.
void SafeFile::keepOwnerAndMode()
{
    struct stat old;
    if (::stat(QFile::encodeName(m_path).constData(), &old) != 0)
        return;
    const int fd = m_file.handle();
    if (::geteuid() == 0 || ::geteuid() == old.st_uid) {
        // A group the user is not in is refused; the file then keeps the user's own group.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, old.st_uid, gid_t(-1));
    }
    ::fchmod(fd, old.st_mode & 0777);
}

bool SafeFile::commit(bool written)
{
    if (!m_file.isOpen())
        return false;
    if (!written)
        return fail(FileErrors::writeReason(m_file));
    // QSaveFile flushes too, but does not say when that fails.
    if (::fdatasync(m_file.handle()) != 0)
        return fail(FileErrors::reason(errno, m_path));
    if (!m_file.commit())
        return fail(m_file.errorString());
    m_error = flushFolder(QFileInfo(m_path).path());
    return m_error.isEmpty();
}
