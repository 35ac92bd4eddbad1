#include "recentfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString Key = QStringLiteral("recentFolders");

} // namespace

QStringList RecentFolders::folders() const
{
    return QSettings().value(Key).toStringList().mid(0, MaxFolders);
}

QString RecentFolders::last() const
{
    const QString folder = folders().value(0);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void RecentFolders::add(const QString &folder)
{
    const QString absolute = QDir(folder).absolutePath();
    const QStringList before = folders();
    QStringList after = before;
    after.removeAll(absolute);
    after.prepend(absolute);
    after = after.mid(0, MaxFolders);
    if (after != before)
        QSettings().setValue(Key, after);
}
