#include "fileerrors.h"

#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace {

QString goneFolder(const QString &folder)
{
    return folder == QLatin1String(".") || folder == WorkingFolder::LinkToCurrent
        ? QCoreApplication::translate("FileErrors", "The working folder no longer exists.")
        : QCoreApplication::translate("FileErrors", "The folder %1 no longer exists.")
              .arg(QDir::toNativeSeparators(folder));
}

} // namespace

namespace FileErrors {

QString missingFolder(const QString &folder)
{
    struct stat info;
    const bool found = ::stat(QFile::encodeName(folder).constData(), &info) == 0;
    // A folder deleted while it is the working folder can still be entered, but holds no name.
    if (found ? info.st_nlink > 0 : errno != ENOENT)
        return QString();
    return goneFolder(folder);
}

QString reason(int error, const QString &path)
{
    if (error == ENOENT) {
        const QString gone = missingFolder(QFileInfo(path).path());
        if (!gone.isEmpty())
            return gone;
    }
    if (error == 0)
        return QCoreApplication::translate("FileErrors", "The operation failed without a reason from the system.");
    return QString::fromLocal8Bit(std::strerror(error)) + QLatin1Char('.');
}

QString writeReason(const QFileDevice &file)
{
    // A write refused before it reached the system (the device already failed) leaves no error.
    if (file.error() == QFileDevice::NoError)
        return QCoreApplication::translate("FileErrors", "%1 could not be written completely.")
            .arg(QFileInfo(file.fileName()).fileName());
    return file.errorString();
}

QString notPlainFile(const QString &path)
{
    return QCoreApplication::translate("FileErrors", "%1 is not a plain file.").arg(QFileInfo(path).fileName());
}

} // namespace FileErrors
