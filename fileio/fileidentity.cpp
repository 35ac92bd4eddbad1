#include "fileidentity.h"

#include "contenthash.h"
#include "plainfile.h"

#include <QDebug>

#include <sys/stat.h>

namespace {

qint64 modifiedAt(const struct stat &info)
{
    return qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

} // namespace

FileIdentity FileIdentity::missing()
{
    FileIdentity identity;
    identity.m_kind = Kind::Missing;
    return identity;
}

FileIdentity FileIdentity::unreadable(const QString &reason)
{
    FileIdentity identity;
    identity.m_kind = Kind::Unreadable;
    identity.m_reason = reason;
    return identity;
}

FileIdentity FileIdentity::of(const struct stat &info, std::optional<quint64> hash)
{
    FileIdentity identity;
    identity.m_kind = Kind::Known;
    identity.m_device = info.st_dev;
    identity.m_inode = info.st_ino;
    identity.m_size = info.st_size;
    identity.m_modified = modifiedAt(info);
    identity.m_hash = hash;
    return identity;
}

bool FileIdentity::allowsReplacing(const struct stat *now, const QString &path) const
{
    // A file deleted since holds nothing to lose.
    if (m_kind == Kind::Unknown || !now)
        return true;
    if (m_kind != Kind::Known || now->st_size != m_size)
        return false;
    if (now->st_dev == m_device && now->st_ino == m_inode && modifiedAt(*now) == m_modified)
        return true;
    // Touched, or written anew by another program: only the bytes can tell.
    if (!m_hash)
        return false;
    PlainFile file(path);
    if (!file.open() || file.info().st_dev != now->st_dev || file.info().st_ino != now->st_ino)
        return false;
    const std::optional<ContentHash> hash = ContentHash::of(file.file());
    return hash && hash->size() == m_size && hash->value() == *m_hash;
}

bool operator==(const FileIdentity &a, const FileIdentity &b)
{
    return a.m_kind == b.m_kind && a.m_reason == b.m_reason && a.m_device == b.m_device && a.m_inode == b.m_inode
        && a.m_size == b.m_size && a.m_modified == b.m_modified && a.m_hash == b.m_hash;
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
        return debug << "unreadable: " << identity.m_reason << ')';
    case FileIdentity::Kind::Known:
        break;
    }
    debug << "device " << identity.m_device << ", inode " << identity.m_inode << ", " << identity.m_size
          << " bytes, modified " << identity.m_modified;
    if (identity.m_hash)
        debug << ", hash " << Qt::hex << *identity.m_hash;
    return debug << ')';
}
