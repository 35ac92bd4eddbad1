#include "exclusiverename.h"

#include "fileerrors.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace ExclusiveRename {

QString rename(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    int error = 0;
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return {};
    error = errno;
    // File systems without the flag (some network ones): a second link is refused just as surely
    // when the name is taken, and the first is removed only once the second exists.
    if (error == EINVAL || error == ENOSYS) {
        if (::link(source.constData(), target.constData()) == 0) {
            if (::unlink(source.constData()) == 0)
                return {};
            error = errno;
            (void)::unlink(target.constData());
        } else {
            error = errno;
        }
    }
    if (error == EEXIST)
        return QCoreApplication::translate("ExclusiveRename", "%1 exists already.").arg(QFileInfo(to).fileName());
    return QStringLiteral("%1: %2").arg(QFileInfo(from).fileName(), FileErrors::reason(error, from));
}

} // namespace ExclusiveRename
