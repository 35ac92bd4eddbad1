#include "filestatus_linux.h"

#include <QFile>

#include <cerrno>

#include <unistd.h>

namespace {

qint64 nanoseconds(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

FileStatus::Type typeOf(mode_t mode)
{
    return S_ISREG(mode) ? FileStatus::Type::PlainFile
        : S_ISDIR(mode)  ? FileStatus::Type::Folder
        : S_ISLNK(mode)  ? FileStatus::Type::Link
                         : FileStatus::Type::Other;
}

} // namespace

FileStatus statusFrom(const struct stat &info)
{
    FileStatus status;
    status.type = typeOf(info.st_mode);
    status.device = info.st_dev;
    status.inode = info.st_ino;
    status.size = info.st_size;
    status.modified = nanoseconds(info.st_mtim);
    status.changed = nanoseconds(info.st_ctim);
    status.names = qint64(info.st_nlink);
    return status;
}

std::optional<FileStatus> FileStatus::of(const QString &path, Links links, int *error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if ((links == Links::Kept ? ::lstat(name.constData(), &info) : ::stat(name.constData(), &info)) != 0) {
        if (error)
            *error = errno;
        return std::nullopt;
    }
    return statusFrom(info);
}

namespace FileNames {

int remove(const QString &path)
{
    return ::unlink(QFile::encodeName(path).constData()) == 0 ? 0 : errno;
}

int makeFolder(const QString &path)
{
    return ::mkdir(QFile::encodeName(path).constData(), 0777) == 0 ? 0 : errno;
}

} // namespace FileNames
