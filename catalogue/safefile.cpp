#include "safefile.h"

#include <QFileInfo>
#include <QSaveFile>

QString writeFileSafely(const QString &path, const QByteArray &bytes)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return QStringLiteral("%1 is not a plain file").arg(path);
    if (target.exists() && !target.isWritable())
        return QStringLiteral("%1 is write-protected").arg(path);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
