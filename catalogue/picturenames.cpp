#include "picturenames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringBuilder>

#include <climits>

#include <sys/stat.h>

namespace PictureNames {
QString pictureFileName(const QString &name, int k)
{
    return name % QLatin1String("_p") % QString::number(k) % QLatin1String(".gif");
}

static bool isPlainFileName(const QString &fileName)
{
    // No file here can have a longer name (in bytes, and UTF-8 takes at least one a character);
    // a megabyte-long project name would otherwise be converted back and forth nine times.
    if (fileName.size() > NAME_MAX)
        return false;
    // Never empty, "." or "..": it always ends in "_p<k>.gif".
    for (const QChar c : fileName) {
        // The backslash too: the pages name the same file under "./Thumbs/", where browsers read it
        // as a folder separator.
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() == 0)
            return false;
    }
    // A lone surrogate would be spelt as some other name on disk.
    return QFile::decodeName(QFile::encodeName(fileName)) == fileName;
}

QString picturePath(const QString &folder, const QString &name, int k)
{
    const QString fileName = pictureFileName(name, k);
    if (!isPlainFileName(fileName))
        return {};
    return folder % QLatin1Char('/') % fileName;
}

bool isPictureFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString pictureFolder(const QString &programFolder, const QString &catalogueFolder)
{
    QString besideProgram = QDir(programFolder).filePath(FolderName);
    if (QFileInfo(besideProgram).isDir())
        return besideProgram;
    return QDir(catalogueFolder).filePath(FolderName);
}

QList<int> existingPictures(const QString &folder, const QString &name)
{
    QList<int> found;
    for (int k = 1; k <= 32767; ++k) {
        const QString path = picturePath(folder, name, k);
        if (path.isEmpty())
            break;
        struct stat info;
        if (::lstat(QFile::encodeName(path).constData(), &info) == 0)
            found.append(k);
        else if (k > 9)
            break;
    }
    return found;
}

qint16 foundPictureCount(const QString &folder, const QString &name, qint16 storedPics)
{
    for (int k = 9; k >= 2; --k) {
        if (isPictureFile(picturePath(folder, name, k)))
            return qint16(k);
    }
    return storedPics;
}
} // namespace PictureNames
