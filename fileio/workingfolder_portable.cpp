#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// By the names Qt decodes: a folder whose name is not text in the system's encoding is not reached.
namespace WorkingFolder {

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

} // namespace WorkingFolder
