#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace WorkingFolder {

bool exists(const QByteArray &path)
{
    struct stat info;
    return ::stat(path.constData(), &info) == 0;
}

bool isFolder(const QByteArray &path)
{
    struct stat info;
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool enter(const QByteArray &folder, QString &reason)
{
    if (::chdir(folder.constData()) == 0)
        return true;
    reason = QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char('.');
    return false;
}

QByteArray current()
{
    QByteArray name(256, '\0');
    while (::getcwd(name.data(), size_t(name.size())) == nullptr) {
        // A folder deleted while it is the working folder has no name any more.
        if (errno != ERANGE)
            return QFile::encodeName(QDir::currentPath());
        name.resize(name.size() * 2);
    }
    name.truncate(qsizetype(std::strlen(name.constData())));
    return name;
}

QString reachable(const QString &path)
{
    if (QDir::isRelativePath(path) && QFile::encodeName(QDir::currentPath()) != current())
        return LinkToCurrent + QLatin1Char('/') + path;
    return path;
}

} // namespace WorkingFolder
