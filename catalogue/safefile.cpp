#include "safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Starts each write on its way to the disk as soon as it is made. Left to the end, the kernel
// would do all of it inside the rename that replaces the old file (ext4 sends a file replaced
// that way to disk first), while the program waits; started early, it overlaps the rest.
class WriteThroughFile : public QFile
{
protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 at = pos();
        const qint64 written = QFile::writeData(data, size);
#ifdef Q_OS_LINUX
        // Only the bytes just written: asking for the whole file each time would have the kernel
        // look over all of it again.
        if (written > 0)
            ::sync_file_range(handle(), at, written, SYNC_FILE_RANGE_WRITE);
#endif
        return written;
    }
};

QString nameBeside(const QString &target)
{
    return target + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

constexpr int NameAttempts = 100;

// The last reference to a replaced file is dropped here, which gives its blocks and cached pages
// back: some 10 ms for a 70 MB page, spent on a short-lived thread rather than in the rename the
// user waits for.
void releaseInBackground(int descriptor)
{
    try {
        std::thread([descriptor] { ::close(descriptor); }).detach();
    } catch (const std::system_error &) {
        ::close(descriptor);
    }
}

} // namespace

SafeFile::SafeFile(const QString &path) : m_path(path), m_file(std::make_unique<WriteThroughFile>()) {}

SafeFile::~SafeFile()
{
    discard();
}

void SafeFile::discard()
{
    if (m_replaced >= 0)
        ::close(m_replaced);
    m_replaced = -1;
    m_file->close();
    if (!m_tempName.isEmpty())
        QFile::remove(m_tempName);
    m_tempName.clear();
}

bool SafeFile::fail(const QString &reason)
{
    m_error = reason;
    discard();
    return false;
}

// The file is written in the target's folder, so that the rename is one step within one file
// system. It has no name until it is complete, so a crash while writing leaves nothing behind;
// where the file system cannot do that, it is named beside the target from the start. Opened
// unbuffered, so a short write (a full disk) is seen at the write that failed.
bool SafeFile::create()
{
    constexpr QIODevice::OpenMode Mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
#ifdef O_TMPFILE
    // The unnamed file is named later through /proc, which a few sandboxes lack.
    if (::access("/proc/self/fd", F_OK) == 0) {
        const QByteArray folder = QFile::encodeName(QFileInfo(m_path).absolutePath());
        const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (m_file->open(fd, Mode, QFileDevice::AutoCloseHandle))
                return true;
            ::close(fd);
            return fail(m_file->errorString());
        }
        // File systems without unnamed files say so; the named way below works on them.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return fail(qt_error_string(errno));
    }
#endif
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        m_file->setFileName(nameBeside(m_path));
        if (m_file->open(Mode | QIODevice::NewOnly)) {
            m_tempName = m_file->fileName();
            return true;
        }
        if (!m_file->exists())
            break;
    }
    return fail(m_file->errorString());
}

bool SafeFile::open()
{
    QFileInfo target(m_path);
    // A link stays a link: the file it points to is the one replaced.
    for (int depth = 0; target.isSymLink() && depth < 40; ++depth)
        target.setFile(target.symLinkTarget());
    if (target.exists() && !target.isFile())
        return fail(QStringLiteral("%1 is not a plain file").arg(m_path));
    if (target.exists() && !target.isWritable())
        return fail(QStringLiteral("%1 is write-protected").arg(m_path));
    m_path = target.absoluteFilePath();

    if (!create())
        return false;
#ifdef O_PATH
    m_replaced = ::open(QFile::encodeName(m_path).constData(), O_PATH | O_CLOEXEC);
#endif
    // The new file keeps the old one's read and write permissions (not set-user-ID and the like);
    // a new catalogue gets the usual ones.
    struct stat old;
    if (::stat(QFile::encodeName(m_path).constData(), &old) == 0)
        ::fchmod(m_file->handle(), old.st_mode & 0777);
    return true;
}

QIODevice &SafeFile::device()
{
    return *m_file;
}

// Gives the unnamed file a name beside the target.
bool SafeFile::name()
{
    const QByteArray descriptor = "/proc/self/fd/" + QByteArray::number(m_file->handle());
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const QString name = nameBeside(m_path);
        if (::linkat(AT_FDCWD, descriptor.constData(), AT_FDCWD, QFile::encodeName(name).constData(), AT_SYMLINK_FOLLOW) == 0) {
            m_tempName = name;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    return fail(qt_error_string(errno));
}

bool SafeFile::commit(bool written)
{
    if (!m_file->isOpen())
        return false;
    if (!written)
        return fail(m_file->errorString());
    if (m_tempName.isEmpty() && !name())
        return false;
    m_file->close();
    if (m_file->error() != QFileDevice::NoError)
        return fail(m_file->errorString());
    // No flush to disk: the rename alone keeps the old file whole through a crash of the
    // program, and ext4, the usual file system, forces a file that replaces another by rename
    // to disk along with the rename, so a power cut leaves the old or the new file too. A flush
    // of its own would take longer than writing the whole file.
    if (std::rename(QFile::encodeName(m_tempName).constData(), QFile::encodeName(m_path).constData()) != 0)
        return fail(qt_error_string(errno));
    m_tempName.clear();
    if (m_replaced >= 0)
        releaseInBackground(std::exchange(m_replaced, -1));
    return true;
}

QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &produce)
{
    SafeFile file(path);
    if (file.open() && file.commit(produce(file.device())))
        return QString();
    return file.error();
}

QString writeFileSafely(const QString &path, const QByteArray &bytes)
{
    return writeFileSafely(path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); });
}
