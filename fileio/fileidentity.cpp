#include "fileidentity.h"

#include "contenthash.h"
#include "plainfile.h"

#include <QDebug>

#include <chrono>

namespace {

// The coarsest clock a file system keeps times by (FAT's two seconds), with a margin: a file whose
// status changed less than this before it was taken may change again with the same times.
constexpr qint64 CoarsestTimes = 3'000'000'000;

} // namespace

qint64 FileIdentity::now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

FileIdentity FileIdentity::missing()
{
    FileIdentity identity;
    identity.m_kind = Kind::Missing;
    return identity;
}

FileIdentity FileIdentity::unreadable(const QString &reason, const FileStatus *info, qint64 takenAt)
{
    FileIdentity identity;
    identity.m_kind = Kind::Unreadable;
    identity.m_reason = reason;
    if (info)
        identity.setStatus(*info, takenAt);
    return identity;
}

FileIdentity FileIdentity::of(const FileStatus &info, qint64 takenAt, std::optional<quint64> hash)
{
    FileIdentity identity;
    identity.m_kind = Kind::Known;
    identity.setStatus(info, takenAt);
    identity.m_hash = hash;
    return identity;
}

FileIdentity FileIdentity::nothingKept(const FileIdentity &read)
{
    FileIdentity identity = read;
    identity.m_kind = Kind::NothingKept;
    return identity;
}

FileIdentity FileIdentity::current(const QString &path)
{
    const qint64 takenAt = now();
    PlainFile file(path);
    if (!file.open()) {
        if (file.isMissing())
            return missing();
        const std::optional<FileStatus> info = FileStatus::of(path);
        return unreadable(file.errorString(), info ? &*info : nullptr, takenAt);
    }
    const std::optional<ContentHash> hash = ContentHash::of(file.file());
    return of(file.info(), takenAt,
              hash && hash->size() == file.info().size ? std::optional(hash->value()) : std::nullopt);
}

void FileIdentity::setStatus(const FileStatus &info, qint64 takenAt)
{
    m_hasStatus = true;
    m_device = info.device;
    m_inode = info.inode;
    m_size = info.size;
    m_modified = info.modified;
    m_changed = info.changed;
    m_takenAt = takenAt;
}

bool FileIdentity::sameStatus(const FileStatus &now) const
{
    return now.device == m_device && now.inode == m_inode && now.size == m_size && now.modified == m_modified
        && now.changed == m_changed;
}

bool FileIdentity::allowsReplacing(const FileStatus *now, const QString &path) const
{
    // A file deleted since holds nothing to lose.
    if (m_kind == Kind::Unknown || !now)
        return true;
    if (!m_hasStatus || m_kind == Kind::Missing || m_kind == Kind::NothingKept)
        return false;
    // Nobody saw any version of a file that could not be read: the answer was about this file as
    // it stood, and holds while it stands so.
    if (m_kind == Kind::Unreadable)
        return sameStatus(*now);
    if (now->size != m_size)
        return false;
    // Any change after the status was taken gives it a later change time, unless it came within
    // one tick of a coarse clock of the last one: the status proves nothing then.
    if (sameStatus(*now) && m_changed < m_takenAt - CoarsestTimes)
        return true;
    if (!m_hash)
        return false;
    PlainFile file(path);
    if (!file.open() || file.info().device != now->device || file.info().inode != now->inode)
        return false;
    const std::optional<ContentHash> hash = ContentHash::of(file.file());
    return hash && hash->size() == m_size && hash->value() == *m_hash;
}

bool operator==(const FileIdentity &a, const FileIdentity &b)
{
    return a.m_kind == b.m_kind && a.m_reason == b.m_reason && a.m_hasStatus == b.m_hasStatus
        && a.m_device == b.m_device && a.m_inode == b.m_inode && a.m_size == b.m_size && a.m_modified == b.m_modified
        && a.m_changed == b.m_changed && a.m_takenAt == b.m_takenAt && a.m_hash == b.m_hash;
}

QDebug operator<<(QDebug debug, const FileIdentity &identity)
{
    const QDebugStateSaver saver(debug);
    debug.nospace() << "FileIdentity(";
    switch (identity.m_kind) {
    case FileIdentity::Kind::Unknown:
        return debug << "unknown)";
    case FileIdentity::Kind::Missing:
        return debug << "missing)";
    case FileIdentity::Kind::Unreadable:
        debug << "unreadable: " << identity.m_reason;
        break;
    case FileIdentity::Kind::NothingKept:
        debug << "nothing kept";
        break;
    case FileIdentity::Kind::Known:
        debug << "known";
        break;
    }
    if (identity.m_hasStatus)
        debug << ", device " << identity.m_device << ", inode " << identity.m_inode << ", " << identity.m_size
              << " bytes, modified " << identity.m_modified << ", changed " << identity.m_changed << ", taken "
              << identity.m_takenAt;
    if (identity.m_hash)
        debug << ", hash " << Qt::hex << *identity.m_hash;
    return debug << ')';
}
