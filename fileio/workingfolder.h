#pragma once

#include <QByteArray>
#include <QString>

// Folders by the bytes of their names. A name that is not UTF-8 ("caf\xe9" from an older disk)
// has no QString that leads back to it, so the program enters its catalogue folder by these bytes
// once and works in "." from then on.
namespace WorkingFolder {

bool exists(const QByteArray &path);
bool isFolder(const QByteArray &path);

// Makes `folder` the working folder; false, with the system's reason, when it cannot be entered.
bool enter(const QByteArray &folder, QString &reason);

// The working folder's absolute name as the system holds it.
QByteArray current();

// `path` by a name that leads to it: Qt makes a relative path absolute by the working folder's
// decoded name, which misses a folder whose name is not UTF-8, so such a path goes through the
// process's link to its working folder.
QString reachable(const QString &path);

// The name reachable() gives the working folder (Linux only: the portable file layer leaves paths
// as they are).
inline const QString LinkToCurrent = QStringLiteral("/proc/self/cwd");

} // namespace WorkingFolder
