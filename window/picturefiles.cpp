#include "picturefiles.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PictureFiles
{
namespace {

// Opens the picture without waiting and judges what was opened, not the name that was looked up:
// a FIFO or a device put in a picture's place after the lookup must not block the window. Files
// above the size bound are left unread: a GIF the preview can show is far smaller, and a huge
// comment in front of a tiny picture would otherwise be read through at every selection.
bool openPicture(const QString &path, QFile &file)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat info;
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= MaxFileBytes
        && file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(descriptor);
    return false;
}

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
    QFile file;
    if (!openPicture(path, file))
        return {};
    const auto tooLarge = [](QSize size) {
        return size.width() > MaxSide || size.height() > MaxSide
            || qint64(size.width()) * size.height() > MaxPixels;
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
}
