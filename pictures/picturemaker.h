#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QDebug;

// What became of one source file: the picture's GIF bytes, or why there is none.
struct MadePicture
{
    QByteArray gif; // empty when the file was refused
    QString reason; // names the file and says why it was refused; empty when made

    bool made() const { return !gif.isEmpty(); }
    friend bool operator==(const MadePicture &a, const MadePicture &b)
    {
        return a.gif == b.gif && a.reason == b.reason;
    }
    friend bool operator!=(const MadePicture &a, const MadePicture &b) { return !(a == b); }
};

QDebug operator<<(QDebug debug, const MadePicture &picture);

// Turns a photo into a project's picture: upright as its EXIF orientation says, scaled down to fit
// the main picture's frame (never enlarged), brought down to 256 colours with error diffusion, and
// written as a GIF that carries none of the source's metadata. The source is only read, opened
// without waiting, and judged by its header before anything is decoded.
class PictureMaker
{
    Q_DECLARE_TR_FUNCTIONS(PictureMaker)

public:
    static constexpr int FrameWidth = 180;
    static constexpr int FrameHeight = 120;
    // Beyond these a file is refused before decoding: a photo from any camera of today fits, a
    // decompression bomb does not.
    static constexpr int MaxSide = 30000;
    static constexpr qint64 MaxPixels = 100'000'000;
    static constexpr qint64 MaxFileBytes = qint64(256) << 20;
    // What Qt's decoders may allocate for one image: the largest picture admitted, 4 bytes a pixel.
    static constexpr int DecoderLimitMegabytes = 512;

    static MadePicture make(const QString &sourcePath);
    // The size a picture of `size` (upright) is scaled to: the largest that fits the frame with
    // the same proportions, and never larger than it is.
    static QSize fitted(const QSize &size);
};
