#include "filestatus.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

qint64 nanoseconds(const QDateTime &time)
{
    return time.isValid() ? time.toMSecsSinceEpoch() * 1000000 : 0;
}

} // namespace

std::optional<FileStatus> FileStatus::of(const QString &path, Links links, int *error)
{
    const QFileInfo info(path);
    const bool link = links == Links::Kept && info.isSymLink();
    if (!info.exists() && !link) {
        if (error)
            *error = ENOENT;
        return std::nullopt;
    }
    FileStatus status;
    status.type = link ? Type::Link : info.isFile() ? Type::PlainFile : info.isDir() ? Type::Folder : Type::Other;
    status.size = info.size();
    status.modified = nanoseconds(info.fileTime(QFileDevice::FileModificationTime));
    status.changed = nanoseconds(info.fileTime(QFileDevice::FileMetadataChangeTime));
    return status;
}

namespace FileNames {

int remove(const QString &path)
{
    if (!FileStatus::of(path, FileStatus::Links::Kept))
        return ENOENT;
    return QFile::remove(path) ? 0 : EACCES;
}

int makeFolder(const QString &path)
{
    if (FileStatus::of(path, FileStatus::Links::Kept))
        return EEXIST;
    return QDir().mkdir(path) ? 0 : EACCES;
}

} // namespace FileNames
