#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>
#endif

namespace WorkingFolder {

#ifdef Q_OS_UNIX

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
#ifdef Q_OS_LINUX
    if (QDir::isRelativePath(path) && QFile::encodeName(QDir::currentPath()) != current())
        return LinkToCurrent + QLatin1Char('/') + path;
#endif
    return path;
}

#else

bool exists(const QByteArray &path)
{
    return QFileInfo::exists(QFile::decodeName(path));
}

bool isFolder(const QByteArray &path)
{
    return QFileInfo(QFile::decodeName(path)).isDir();
}

bool enter(const QByteArray &folder, QString &reason)
{
    if (QDir::setCurrent(QFile::decodeName(folder)))
        return true;
    reason = QCoreApplication::translate("WorkingFolder", "It is not a folder that can be entered.");
    return false;
}

QByteArray current()
{
    return QFile::encodeName(QDir::currentPath());
}

QString reachable(const QString &path)
{
    return path;
}

#endif

} // namespace WorkingFolder
