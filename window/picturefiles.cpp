#include "picturefiles.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace PictureFiles
{
bool isPlainFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The size a GIF's header declares for its screen, read without decoding: Qt's reader decodes
// the whole first frame merely to report a size.
QSize declaredScreenSize(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray header = file.read(10);
    if (header.size() < 10 || !(header.startsWith("GIF87a") || header.startsWith("GIF89a")))
        return {};
    const auto byte = [&header](int i) { return int(static_cast<unsigned char>(header.at(i))); };
    return QSize(byte(6) | byte(7) << 8, byte(8) | byte(9) << 8);
}

QImage loadPicture(const QString &path)
{
    QImageReader reader(path, "gif");
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(AllocationLimitMB);
    const auto tooLarge = [](QSize size) {
        return size.width() > MaxSide || size.height() > MaxSide
            || qint64(size.width()) * size.height() > MaxPixels;
    };
    const QSize screen = declaredScreenSize(path);
    if (!screen.isValid() || tooLarge(screen))
        return {};
    const QSize size = reader.size();
    if (!size.isValid() || tooLarge(size))
        return {};
    QImage image;
    if (!reader.read(&image) || tooLarge(image.size()))
        return {};
    return image;
}
}
