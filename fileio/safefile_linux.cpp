#include "safefile.h"

#include "fileerrors.h"
#include "filestatus_linux.h"
#include "workingfolder.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <iterator>

#include <fcntl.h>
#include <limits.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// As many links as the kernel follows in one path.
constexpr int MaxLinks = 40;

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// What the link at `link` holds, as written.
QByteArray linkText(const QString &link)
{
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    const ssize_t size = ::readlink(encoded(link).constData(), target.data(), size_t(target.size()));
    target.truncate(qMax<ssize_t>(size, 0));
    return target;
}

// The kernel's rule for links in shared folders (fs.protected_symlinks), taken everywhere: a link is
// followed when it belongs to the user running the program, or to the owner of its folder. So no
// other user can lead a save, root's least of all, to a file of their choosing. The folder's owner
// may aim only at what is theirs: a link of theirs is followed when they own what it leads to, or
// are root, so that it never leads a save to a file they could not replace themselves.
bool mayFollow(const struct stat &link, const QString &folder, const QString &linkPath)
{
    if (link.st_uid == ::geteuid())
        return true;
    struct stat owner;
    if (::stat(encoded(folder).constData(), &owner) != 0 || owner.st_uid != link.st_uid)
        return false;
    struct stat target;
    return link.st_uid == 0 || (::stat(encoded(linkPath).constData(), &target) == 0 && target.st_uid == link.st_uid);
}

// The new file keeps the old one's owner and group where the process may give them, and its read,
// write and execute permissions (not set-user-ID and the like). The temporary file starts private
// and is opened up only after it changed hands, so it is never more open than the final one.
void keepOwnerAndMode(int target, int fd)
{
    struct stat old;
    if (::fstat(target, &old) != 0)
        return;
    if (::geteuid() == 0 || ::geteuid() == old.st_uid) {
        // A group the user is not in is refused; the file then keeps the user's own group.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, old.st_uid, gid_t(-1));
    }
    ::fchmod(fd, old.st_mode & 0777);
}

// Extended attributes, POSIX ACLs among them, go over as the owner does: each where the process may
// set it. One that cannot be set does not fail the save; the bytes are what the user asked for.
void keepAttributes(int target, int fd)
{
    // Read through the descriptor of the file checked, not by a name that may lead elsewhere now.
    const QByteArray from = "/proc/self/fd/" + QByteArray::number(target);
    const ssize_t listSize = ::listxattr(from.constData(), nullptr, 0);
    if (listSize <= 0)
        return;
    QByteArray names(listSize, Qt::Uninitialized);
    const ssize_t got = ::listxattr(from.constData(), names.data(), size_t(names.size()));
    if (got <= 0)
        return;
    names.truncate(got);
    QByteArray value;
    for (const QByteArray &name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t size = ::getxattr(from.constData(), name.constData(), nullptr, 0);
        if (size < 0)
            continue;
        value.resize(size);
        const ssize_t read = ::getxattr(from.constData(), name.constData(), value.data(), size_t(size));
        if (read >= 0)
            (void)::fsetxattr(fd, name.constData(), value.constData(), size_t(read), 0);
    }
}

} // namespace

QString SafeFile::flushFolder(const QString &folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return FileErrors::reason(errno, folder);
    // EINVAL: a file system that keeps no folder data of its own to flush.
    const bool flushed = ::fsync(fd) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(fd);
    return flushed ? QString() : FileErrors::reason(error, folder);
}

void SafeFile::startWriteBack(int handle, qint64 at, qint64 size)
{
    ::sync_file_range(handle, at, size, SYNC_FILE_RANGE_WRITE);
}

SafeFile::~SafeFile()
{
    if (m_target >= 0)
        ::close(m_target);
}

// Finds the file to replace a name at a time, judging each link on the way, to a folder or to the
// file, by what it is rather than by its name; the target itself is kept open as a path, so that
// what is checked is what is replaced.
bool SafeFile::findTarget()
{
    const QString name = QFileInfo(m_requested).fileName();
    QString folder = m_requested.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QStringLiteral(".");
    QString walked = m_requested;
    // The working folder is where the user chose to work, as "." is: the way to it is not judged,
    // and its name, which may not be text at all, is never spelled out.
    if (m_requested.startsWith(WorkingFolder::LinkToCurrent + QLatin1Char('/'))) {
        folder = WorkingFolder::LinkToCurrent;
        walked = m_requested.mid(folder.size() + 1);
    }
    // The names still to go, the next one last.
    QStringList names = walked.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    std::reverse(names.begin(), names.end());
    bool linkedName = false; // the file's own name is one a link gave
    int links = 0;
    while (!names.isEmpty()) {
        const QString part = names.takeLast();
        const bool last = names.isEmpty();
        const QString current = folder == QLatin1String(".") ? part
            : folder == QLatin1String("/")                   ? QLatin1Char('/') + part
                                                             : folder + QLatin1Char('/') + part;
        struct stat info;
        if (::lstat(encoded(current).constData(), &info) != 0) {
            if (errno != ENOENT || !last)
                return fail(FileErrors::reason(errno, current));
            // A new file is made only where it was asked for, never where a link points.
            if (linkedName)
                return refuse(QCoreApplication::translate(
                                  "SafeFile", "%1 is a link to a file that does not exist; it was left as it is.")
                                  .arg(name));
            m_path = current;
            return true;
        }
        if (S_ISLNK(info.st_mode)) {
            if (++links > MaxLinks)
                return refuse(
                    QCoreApplication::translate("SafeFile", "%1 leads through too many links; it was left as it is.")
                        .arg(name));
            if (!mayFollow(info, folder, current)) {
                return refuse(last ? QCoreApplication::translate(
                                         "SafeFile", "%1 is a link owned by another user; it was left as it is.")
                                         .arg(name)
                                   : QCoreApplication::translate("SafeFile",
                                                                 "%1 lies behind a link owned by another "
                                                                 "user, %2; it was left as it is.")
                                         .arg(name, current));
            }
            const QByteArray target = linkText(current);
            if (target.isEmpty())
                return refuse(QCoreApplication::translate("SafeFile",
                                                          "%1 changed while it was being saved; it was left as it is.")
                                  .arg(name));
            if (target.startsWith('/'))
                folder = QStringLiteral("/");
            const QStringList parts = QFile::decodeName(target).split(QLatin1Char('/'), Qt::SkipEmptyParts);
            std::copy(parts.crbegin(), parts.crend(), std::back_inserter(names));
            linkedName = linkedName || last;
            continue;
        }
        if (!last) {
            if (!S_ISDIR(info.st_mode))
                return fail(FileErrors::reason(ENOTDIR, current));
            folder = current;
            continue;
        }
        if (!S_ISREG(info.st_mode)) {
            return refuse(!linkedName ? FileErrors::notPlainFile(m_requested)
                                      : QCoreApplication::translate(
                                            "SafeFile",
                                            "%1 is a link to something that is not a plain file; it was left as it is.")
                                            .arg(name));
        }
        m_target = ::open(encoded(current).constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        struct stat opened;
        if (m_target < 0 || ::fstat(m_target, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_dev != info.st_dev
            || opened.st_ino != info.st_ino)
            return refuse(
                QCoreApplication::translate("SafeFile", "%1 changed while it was being saved; it was left as it is.")
                    .arg(name));
        m_path = current;
        return true;
    }
    return refuse(FileErrors::notPlainFile(m_requested));
}

void SafeFile::keepMetadata()
{
    if (m_target < 0)
        return;
    keepOwnerAndMode(m_target, m_file.handle());
    keepAttributes(m_target, m_file.handle());
}

QString SafeFile::syncWritten()
{
    // QSaveFile flushes too, but does not say when that fails.
    return ::fdatasync(m_file.handle()) == 0 ? QString() : FileErrors::reason(errno, m_path);
}

std::optional<FileStatus> SafeFile::writtenStatus() const
{
    struct stat info;
    if (::fstat(m_file.handle(), &info) != 0)
        return std::nullopt;
    return statusFrom(info);
}
