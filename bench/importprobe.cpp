// Makes PHOTO picture 1 of "Photo" in FOLDER/Thumbs, or with --decode decodes it at full size, and
// prints the resident memory that adds at its peak, in kilobytes. A process of its own, started
// small: the bench's heap and threads would count in a peak measured there.
#include "measure.h"
#include "picturemaker.h"
#include "picturestep.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <cstdio>

#include <malloc.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        qFatal("usage: catalogue-import-probe PHOTO FOLDER|--decode");
    const QString &photo = arguments.at(1);
    // The image plugins load before the baseline: their code is the program's, not the import's.
    QImageReader::supportedImageFormats();
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        qFatal("cannot reset the peak resident size");
    clear.close();
    const long before = statusKilobytes("VmRSS");
    if (arguments.at(2) == QLatin1String("--decode")) {
        if (QImageReader(photo).read().isNull())
            qFatal("cannot decode the photo");
    } else {
        const MadePicture made = PictureMaker::make(photo);
        const QString thumbs = arguments.at(2) + QStringLiteral("/Thumbs");
        QFile::remove(thumbs + QStringLiteral("/Photo_p1.gif"));
        if (!made.made() || !PictureStep::add(thumbs, QStringLiteral("Photo"), {made.gif}).redo().done)
            qFatal("the import failed: %s", qPrintable(made.reason));
    }
    std::printf("%ld\n", statusKilobytes("VmHWM") - before);
    return 0;
}
