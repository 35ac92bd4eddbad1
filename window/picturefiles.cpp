#include "picturefiles.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace PictureFiles
{
QString pictureFileName(const QString &name, int k)
{
    return name + QStringLiteral("_p") + QString::number(k) + QStringLiteral(".gif");
}

static bool isPlainFileName(const QString &fileName)
{
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
    return folder + QLatin1Char('/') + fileName;
}

bool isPlainFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QImage loadPicture(const QString &path)
{
    QImageReader reader(path, "gif");
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(AllocationLimitMB);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxSide || size.height() > MaxSide)
        return {};
    QImage image;
    if (!reader.read(&image) || image.width() > MaxSide || image.height() > MaxSide)
        return {};
    return image;
}
}
