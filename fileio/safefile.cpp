#include "safefile.h"

#include "fileerrors.h"
#include "workingfolder.h"

#include <QFileInfo>

#include <cerrno>

qint64 SafeFile::WriteBackFile::writeData(const char *data, qint64 size)
{
    const qint64 at = pos();
    const qint64 written = QSaveFile::writeData(data, size);
    if (written <= 0)
        return written;
    // Only the bytes just written: asking for the whole file each time would look it all over again.
    startWriteBack(handle(), at, written);
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
    keepMetadata();
    return true;
}

bool SafeFile::mayReplace(const FileIdentity &expected)
{
    // What stands at the name now is what the rename replaces, whatever stood there at open().
    int error = 0;
    m_now = FileStatus::of(m_path, FileStatus::Links::Kept, &error);
    if (!m_now && error != ENOENT)
        return false;
    return expected.allowsReplacing(m_now ? &*m_now : nullptr, m_path);
}

bool SafeFile::commit(bool written)
{
    if (!m_file.isOpen())
        return false;
    if (!written)
        return fail(FileErrors::writeReason(m_file));
    const QString unsynced = syncWritten();
    if (!unsynced.isEmpty())
        return fail(unsynced);
    const qint64 takenAt = FileIdentity::now();
    std::optional<FileStatus> info = writtenStatus();
    if (!m_file.commit())
        return fail(m_file.errorString());
    if (!info)
        info = FileStatus::of(m_path);
    if (info)
        m_identity = FileIdentity::of(*info, takenAt, m_file.hash(info->size));
    if (m_flushFolder)
        m_error = flushFolder(QFileInfo(m_path).path());
    return m_error.isEmpty();
}
