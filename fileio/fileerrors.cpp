#include "fileerrors.h"

#include "filestatus.h"
#include "workingfolder.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace {

QString folderName(const QString &folder)
{
    return folder == QLatin1String(".") || folder == WorkingFolder::LinkToCurrent
        ? QStringLiteral("The working folder")
        : QStringLiteral("The folder %1").arg(QDir::toNativeSeparators(folder));
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
    return folderName(folder) + QStringLiteral(" no longer exists.");
}

QString reason(int error, const QString &path)
{
    if (error == ENOENT) {
        QString gone = missingFolder(QFileInfo(path).path());
        if (!gone.isEmpty())
            return gone;
    }
    if (error == 0)
        return QStringLiteral("The operation failed without a reason from the system.");
    return QString::fromLocal8Bit(std::strerror(error)) + QLatin1Char('.');
}

QString writeReason(const QFileDevice &file)
{
    // A write refused before it reached the system (the device already failed) leaves no error.
    if (file.error() == QFileDevice::NoError)
        return QStringLiteral("%1 could not be written completely.").arg(QFileInfo(file.fileName()).fileName());
    return file.errorString();
}

QString notPlainFile(const QString &path)
{
    return QStringLiteral("%1 is not a plain file.").arg(QFileInfo(path).fileName());
}

} // namespace FileErrors
