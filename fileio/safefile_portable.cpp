#include "safefile.h"

#include "fileerrors.h"

#include <QCoreApplication>
#include <QFileInfo>

// On Qt alone: QSaveFile's temporary file, flush and rename, with no folder flush, no judging of
// links or owners and no extended attributes. A link is followed to the plain file it leads to.

QString SafeFile::flushFolder(const QString &)
{
    return QString();
}

void SafeFile::startWriteBack(int, qint64, qint64) {}

SafeFile::~SafeFile() = default;

bool SafeFile::findTarget()
{
    const QFileInfo requested(m_requested);
    const QString name = requested.fileName();
    if (!requested.exists()) {
        // A new file is made only where it was asked for, never where a link points.
        if (requested.isSymLink())
            return refuse(QCoreApplication::translate(
                              "SafeFile", "%1 is a link to a file that does not exist; it was left as it is.")
                              .arg(name));
        return true;
    }
    if (!requested.isFile()) {
        return refuse(!requested.isSymLink()
                          ? FileErrors::notPlainFile(m_requested)
                          : QCoreApplication::translate(
                                "SafeFile", "%1 is a link to something that is not a plain file; it was left as it is.")
                                .arg(name));
    }
    if (requested.isSymLink())
        m_path = requested.canonicalFilePath();
    return true;
}

void SafeFile::keepMetadata()
{
    const QFileInfo old(m_path);
    if (old.exists())
        m_file.setPermissions(old.permissions());
}

QString SafeFile::syncWritten()
{
    // QSaveFile asks the system to put the bytes on the disk as it commits, but does not say
    // whether that failed.
    return m_file.flush() ? QString() : FileErrors::writeReason(m_file);
}

std::optional<FileStatus> SafeFile::writtenStatus() const
{
    // Known by its name only, once it is in place.
    return std::nullopt;
}
