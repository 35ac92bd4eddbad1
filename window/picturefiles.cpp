#include "picturefiles.h"

#include "plainfile.h"

#include <QImageReader>

namespace PictureFiles {
namespace {

// The size a GIF's header declares for its screen, read without decoding: Qt's reader decodes
// the whole first frame merely to report a size.
QSize declaredScreenSize(QIODevice &file)
{
    const QByteArray header = file.read(10);
    if (header.size() < 10 || !(header.startsWith("GIF87a") || header.startsWith("GIF89a")) || !file.seek(0))
        return {};
    const auto byte = [&header](int i) { return int(static_cast<unsigned char>(header.at(i))); };
    return QSize(byte(6) | byte(7) << 8, byte(8) | byte(9) << 8);
}

} // namespace

QImage loadPicture(const QString &path)
{
    // A FIFO or a device put in a picture's place after the lookup must not block the window, and
    // files above the size bound are left unread: a GIF the preview can show is far smaller, and a
    // huge comment in front of a tiny picture would otherwise be read through at every selection.
    PlainFile picture(path);
    if (!picture.open() || picture.file().size() > MaxFileBytes)
        return {};
    QFile &file = picture.file();
    const auto tooLarge = [](QSize size) {
        return size.width() > MaxSide || size.height() > MaxSide || qint64(size.width()) * size.height() > MaxPixels;
    };
    const QSize screen = declaredScreenSize(file);
    if (!screen.isValid() || tooLarge(screen))
        return {};
    QImageReader reader(&file, "gif");
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(AllocationLimitMB);
    const QSize size = reader.size();
    if (!size.isValid() || tooLarge(size))
        return {};
    QImage image;
    if (!reader.read(&image) || tooLarge(image.size()))
        return {};
    return image;
}
} // namespace PictureFiles
