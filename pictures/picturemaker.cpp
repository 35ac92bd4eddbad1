#include "picturemaker.h"

#include "gifencoder.h"
#include "heifreader.h"
#include "plainfile.h"
#include "quantiser.h"

#include <QDebug>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {

// JPEG decodes at 1/2, 1/4 or 1/8 of its size for a fraction of the time; the smallest of these
// that is still twice the picture in each direction leaves the final smooth scaling enough
// pixels to average. Other formats decode at full size.
QSize reducedDecodeSize(const QSize &raw, const QSize &wanted)
{
    for (int divisor : {8, 4, 2}) {
        const QSize reduced((raw.width() + divisor - 1) / divisor, (raw.height() + divisor - 1) / divisor);
        if (reduced.width() >= 2 * wanted.width() && reduced.height() >= 2 * wanted.height())
            return reduced;
    }
    return raw;
}

// Qt's JPEG decoder takes a file that ends too early for a whole one, greying out what is missing;
// it then asks for bytes past the end, which a whole file, ending with its end marker, never does.
class EndWatcher : public QIODevice
{
public:
    explicit EndWatcher(QIODevice &source) : m_source(source) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_source.size(); }
    bool seek(qint64 position) override { return QIODevice::seek(position) && m_source.seek(position); }
    bool readPastEnd() const { return m_pastEnd; }
    void forget() { m_pastEnd = false; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 got = m_source.read(data, maxSize);
        if (got == 0 && maxSize > 0)
            m_pastEnd = true;
        return got;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice &m_source;
    bool m_pastEnd = false;
};

} // namespace

QDebug operator<<(QDebug debug, const MadePicture &picture)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "MadePicture(" << picture.gif.size() << " bytes";
    if (!picture.reason.isEmpty())
        debug << ", " << picture.reason;
    return debug << ')';
}

QSize PictureMaker::fitted(const QSize &size)
{
    if (size.width() <= FrameWidth && size.height() <= FrameHeight)
        return size;
    return size.scaled(FrameWidth, FrameHeight, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

MadePicture PictureMaker::make(const QString &sourcePath)
{
    const QString name = QFileInfo(sourcePath).fileName();
    const auto refuse = [&](const QString &reason) { return MadePicture{{}, tr("%1: %2").arg(name, reason)}; };
    PlainFile source(sourcePath);
    if (!source.open())
        return refuse(source.errorString());
    const qint64 bytes = source.info().size;
    if (bytes == 0)
        return refuse(tr("It is empty."));
    if (bytes > MaxFileBytes)
        return refuse(tr("It is larger than %1 MB.").arg(MaxFileBytes >> 20));
    const QString tooLarge = tr("It is %1 × %2 pixels; pictures are made from photos of up to %3 pixels a side "
                                "and %4 megapixels.");

    QImage image;
    QSize upright;
    if (HeifReader::recognises(source.file().peek(32))) {
        QString reason;
        image = HeifReader::read(source.file(), MaxSide, MaxPixels, &reason);
        if (image.isNull())
            return refuse(reason);
        upright = image.size();
    } else {
        EndWatcher watched(source.file());
        QImageReader reader(&watched);
        reader.setAutoTransform(true);
        reader.setAllocationLimit(DecoderLimitMegabytes);
        if (!reader.canRead())
            return refuse(tr("It is not a picture in a format this program reads."));
        const bool jpeg = reader.format() == "jpeg";
        const QSize raw = reader.size();
        if (raw.isValid()) {
            if (raw.width() > MaxSide || raw.height() > MaxSide || qint64(raw.width()) * raw.height() > MaxPixels)
                return refuse(tooLarge.arg(raw.width()).arg(raw.height()).arg(MaxSide).arg(MaxPixels / 1000000));
            const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
            upright = turned ? raw.transposed() : raw;
            const QSize wanted = fitted(upright);
            if (jpeg)
                reader.setScaledSize(reducedDecodeSize(raw, turned ? wanted.transposed() : wanted));
        }
        watched.forget();
        image = reader.read();
        if (!image.isNull() && jpeg && watched.readPastEnd())
            return refuse(tr("It is damaged or incomplete (it ends too early)."));
        if (image.isNull()) {
            if (reader.error() == QImageReader::UnsupportedFormatError)
                return refuse(tr("It is not a picture in a format this program reads."));
            return refuse(tr("It is damaged or incomplete (%1).").arg(reader.errorString()));
        }
        if (!raw.isValid())
            upright = image.size();
    }
    if (upright.width() > MaxSide || upright.height() > MaxSide
        || qint64(upright.width()) * upright.height() > MaxPixels)
        return refuse(tooLarge.arg(upright.width()).arg(upright.height()).arg(MaxSide).arg(MaxPixels / 1000000));

    // Scaled with its alpha premultiplied, so that transparent pixels lend no colour to the edges.
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const QSize size = fitted(upright);
    // Qt's smooth scaling averages every source pixel under each target pixel when it reduces, so a
    // large reduction needs no box filter first.
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.isNull())
        return refuse(tr("There is not enough memory to read it."));
    const QByteArray gif = GifEncoder::encode(Quantiser::toIndexed(image));
    if (gif.isEmpty())
        return refuse(tr("Its picture could not be made."));
    return {gif, {}};
}
