#include "safefile.h"

#include <QFileInfo>
#include <QSaveFile>

QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &produce)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return QStringLiteral("%1 is not a plain file").arg(path);
    if (target.exists() && !target.isWritable())
        return QStringLiteral("%1 is write-protected").arg(path);

    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk) is seen here: with buffering, Qt lets commit()
    // succeed after the flush failed half-way, which would replace the file with a truncated one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (!produce(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

QString writeFileSafely(const QString &path, const QByteArray &bytes)
{
    return writeFileSafely(path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); });
}
