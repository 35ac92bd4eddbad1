#include "exifjpeg.h"
#include "figure.h"
#include "measure.h"
#include "picturemaker.h"
#include "picturestep.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTransform>

#include <cmath>

namespace {

const QString Photograph = QStringLiteral("/usr/share/backgrounds/mate/nature/Storm.jpg");

// The resident memory an import of `photo` (or its full decode, with "--decode") adds at its peak,
// in MB, measured by the probe in a process of its own.
double peakMegabytes(const QString &photo, const QString &what)
{
    QProcess probe;
    probe.start(QStringLiteral(CATALOGUE_IMPORT_PROBE), {photo, what});
    if (!probe.waitForFinished(120000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        qFatal("the memory probe failed: %s", probe.readAllStandardError().constData());
    bool number = false;
    const double kilobytes = probe.readAllStandardOutput().trimmed().toDouble(&number);
    if (!number)
        qFatal("the memory probe printed no number");
    return kilobytes / 1024;
}

double psnr(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += double(d) * d;
        }
    }
    return 10 * std::log10(255.0 * 255.0 / (sum / (3.0 * a.width() * a.height())));
}

} // namespace

QList<Figure> measurePictures(int runs, const QString &folder, QSize photoSize, QStringList *notes)
{
    const QImage photograph(Photograph);
    if (photograph.isNull())
        qFatal("cannot read %s (Debian package mate-backgrounds)", qPrintable(Photograph));
    // As a camera held on its side stores it: the sensor's pixels on their side, and the turn that
    // shows them upright.
    const QImage sideways = photograph.scaled(photoSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .transformed(QTransform().rotate(270));
    const QString photo = folder + QStringLiteral("/photo.jpg");
    QFile file(photo);
    if (!file.open(QIODevice::WriteOnly) || file.write(jpegWithOrientation(sideways, 6)) <= 0)
        qFatal("cannot write the photo");
    file.close();
    const QString thumbs = folder + QStringLiteral("/Thumbs");
    const QString picture = thumbs + QStringLiteral("/Photo_p1.gif");

    const auto import = [&] {
        const MadePicture made = PictureMaker::make(photo);
        if (!made.made() || !PictureStep::add(thumbs, QStringLiteral("Photo"), {made.gif}).redo().done)
            qFatal("the import failed: %s", qPrintable(made.reason));
    };
    const double importing = medianMilliseconds(
        runs, [&] { QFile::remove(picture); }, import);
    QImage decoded;
    const double decoding = medianMilliseconds(runs, [&] {
        decoded = QImageReader(photo).read();
        if (decoded.isNull())
            qFatal("cannot decode the photo");
    });

    QImageReader reader(picture);
    const QImage gif = reader.read().convertToFormat(QImage::Format_RGB32);
    QImageReader upright(photo);
    upright.setAutoTransform(true);
    const QImage expected = upright.read().scaled(gif.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (gif.isNull() || expected.size() != gif.size() || gif.width() != PictureMaker::FrameWidth)
        qFatal("the picture is not the upright photo scaled to the frame");
    // A common converter's default GIF of the same photo, when one is installed, against the same
    // reference: GraphicsMagick's, turned upright and resized to fit the frame.
    QString converter = QStringLiteral("no GraphicsMagick (gm) installed");
    if (const QString gm = QStandardPaths::findExecutable(QStringLiteral("gm")); !gm.isEmpty()) {
        const QString theirs = folder + QStringLiteral("/gm.gif");
        QProcess convert;
        convert.start(gm,
                      {QStringLiteral("convert"), photo, QStringLiteral("-auto-orient"), QStringLiteral("-resize"),
                       QStringLiteral("%1x%2").arg(PictureMaker::FrameWidth).arg(PictureMaker::FrameHeight), theirs});
        const QImage made = convert.waitForFinished(120000) && convert.exitCode() == 0
            ? QImage(theirs).convertToFormat(QImage::Format_RGB32)
            : QImage();
        converter = made.size() == gif.size()
            ? QStringLiteral("%1 dB for gm convert's default GIF").arg(psnr(made, expected), 0, 'f', 1)
            : QStringLiteral("gm convert made no comparable GIF");
    }
    QFile::remove(picture);
    const double importPeak = peakMegabytes(photo, folder);
    const double decodePeak = peakMegabytes(photo, QStringLiteral("--decode"));
    *notes << QStringLiteral("psnr import %1 dB (%2 x %3 photo, %4 x %5 GIF; %6)")
                  .arg(psnr(gif, expected), 0, 'f', 1)
                  .arg(photoSize.width())
                  .arg(photoSize.height())
                  .arg(gif.width())
                  .arg(gif.height())
                  .arg(converter)
           << QStringLiteral("peak import %1 MB (full decode %2 MB)")
                  .arg(importPeak, 0, 'f', 1)
                  .arg(decodePeak, 0, 'f', 1);
    return {{"import", "photo to picture on disk / full decode", importing, decoding, 0.5}};
}
