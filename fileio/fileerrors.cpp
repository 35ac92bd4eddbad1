#include "fileerrors.h"

#include "filestatus.h"
#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

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
    int error = 0;
    const std::optional<FileStatus> info = FileStatus::of(folder, FileStatus::Links::Followed, &error);
    // A folder deleted while it is the working folder can still be entered, but holds no name.
    if (info ? info->names > 0 : error != ENOENT)
        return QString();
    return goneFolder(folder);
}

QString reason(int error, const QString &path)
{
    if (error == ENOENT) {
        QString gone = missingFolder(QFileInfo(path).path());
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
