#include "settingsfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <cstdio>

#include <sys/stat.h>

namespace SettingsFolder {

QString earlierFolder()
{
    return QFileInfo(QFileInfo(QSettings().fileName()).absolutePath()).dir().filePath(EarlierFolderName);
}

bool carryOver(const QString &earlier)
{
    QSettings settings;
    const QString folder = QFileInfo(settings.fileName()).absolutePath();
    if (QFileInfo::exists(folder) || !QFileInfo(earlier).isDir() || !QDir().mkpath(folder))
        return false;
    const QSettings before(QDir(earlier).filePath(QStringLiteral("project-catalogue.conf")), QSettings::NativeFormat);
    for (const QString &key : before.allKeys())
        settings.setValue(key, before.value(key));
    settings.sync();
    // Moved, not copied: a journal is offered once, by the version that keeps it.
    const QDir journals(QDir(earlier).filePath(QStringLiteral("recovery")));
    const QString moved = QDir(folder).filePath(QStringLiteral("recovery"));
    if (journals.exists() && QDir().mkpath(moved)) {
        for (const QString &name : journals.entryList(QDir::Files | QDir::Hidden)) {
            const QByteArray to = QFile::encodeName(QDir(moved).filePath(name));
            struct stat info;
            // The new folder is this run's own; still, nothing there is replaced.
            if (::lstat(to.constData(), &info) != 0 && errno == ENOENT)
                std::rename(QFile::encodeName(journals.filePath(name)).constData(), to.constData());
        }
    }
    return true;
}

} // namespace SettingsFolder
