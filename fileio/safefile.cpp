#include "safefile.h"

#include "fileerrors.h"
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

qint64 SafeFile::WriteBackFile::writeData(const char *data, qint64 size)
{
    const qint64 at = pos();
    const qint64 written = QSaveFile::writeData(data, size);
    if (written <= 0)
        return written;
    // Only the bytes just written: asking for the whole file each time would look it all over again.
    ::sync_file_range(handle(), at, written, SYNC_FILE_RANGE_WRITE);
    // A writer that starts again from the beginning (in another encoding) writes the whole file anew.
    if (at == 0)
        m_hash = ContentHash();
    if (at == m_hash.size())
        m_hash.add(data, written);
    else
        m_inOrder = false;
    return written;
}

std::optional<quint64> SafeFile::WriteBackFile::hash(qint64 size) const
{
    if (!m_inOrder || m_hash.size() != size)
        return std::nullopt;
    return m_hash.value();
}

SafeFile::SafeFile(const QString &path) : m_requested(WorkingFolder::reachable(path)), m_path(m_requested)
{
    // A replacement never goes in as a plain overwrite, which a crash would leave half-written.
    m_file.setDirectWriteFallback(false);
}

SafeFile::~SafeFile()
{
    if (m_target >= 0)
        ::close(m_target);
}

bool SafeFile::fail(const QString &reason)
{
    m_error = reason;
    if (m_file.isOpen())
        m_file.cancelWriting();
    return false;
}

bool SafeFile::refuse(const QString &reason)
{
    m_refused = true;
    return fail(reason);
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
        if (m_target < 0 || ::fstat(m_target, &m_targetInfo) != 0 || !S_ISREG(m_targetInfo.st_mode)
            || m_targetInfo.st_dev != info.st_dev || m_targetInfo.st_ino != info.st_ino)
            return refuse(
                QCoreApplication::translate("SafeFile", "%1 changed while it was being saved; it was left as it is.")
                    .arg(name));
        m_path = current;
        return true;
    }
    return refuse(FileErrors::notPlainFile(m_requested));
}

bool SafeFile::open()
{
    const QString folderGone = FileErrors::missingFolder(QFileInfo(m_requested).path());
    if (!folderGone.isEmpty())
        return fail(folderGone);
    if (!findTarget())
        return false;
    m_file.setFileName(m_path);
    // Unbuffered, so a short write (a full disk) is seen at the write that failed.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(m_file.errorString());
    if (m_target >= 0) {
        keepOwnerAndMode();
        keepAttributes();
    }
    return true;
}

bool SafeFile::mayReplace(const FileIdentity &expected)
{
    // What stands at the name now is what the rename replaces, whatever stood there at open().
    m_nowKnown = ::lstat(encoded(m_path).constData(), &m_now) == 0;
    if (!m_nowKnown && errno != ENOENT)
        return false;
    return expected.allowsReplacing(m_nowKnown ? &m_now : nullptr, m_path);
}

// The new file keeps the old one's owner and group where the process may give them, and its read,
// write and execute permissions (not set-user-ID and the like). The temporary file starts private
// and is opened up only after it changed hands, so it is never more open than the final one.
void SafeFile::keepOwnerAndMode()
{
    const struct stat &old = m_targetInfo;
    const int fd = m_file.handle();
    if (::geteuid() == 0 || ::geteuid() == old.st_uid) {
        // A group the user is not in is refused; the file then keeps the user's own group.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, old.st_uid, gid_t(-1));
    }
    ::fchmod(fd, old.st_mode & 0777);
}

// Extended attributes, POSIX ACLs among them, go over as the owner does: each where the process may
// set it. One that cannot be set does not fail the save; the bytes are what the user asked for.
void SafeFile::keepAttributes()
{
    // Read through the descriptor of the file checked, not by a name that may lead elsewhere now.
    const QByteArray from = "/proc/self/fd/" + QByteArray::number(m_target);
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
            (void)::fsetxattr(m_file.handle(), name.constData(), value.constData(), size_t(read), 0);
    }
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
    struct stat info;
    const qint64 takenAt = FileIdentity::now();
    const bool known = ::fstat(m_file.handle(), &info) == 0;
    if (!m_file.commit())
        return fail(m_file.errorString());
    if (known)
        m_identity = FileIdentity::of(info, takenAt, m_file.hash(info.st_size));
    m_error = flushFolder(QFileInfo(m_path).path());
    return m_error.isEmpty();
}
