#pragma once

#include <QImage>
#include <QString>

class QIODevice;

// HEIC and HEIF photos (and AVIF, which the same container carries), which Qt's plugins do not
// read, through libheif when the build has it (CATALOGUE_HEIF).
namespace HeifReader {
// Whether this build decodes them.
bool available();
// Whether the first bytes of a file are those of a HEIF container.
bool recognises(const QByteArray &head);
// The primary image, upright as its transformations say, or a null image with `reason` set. An
// image larger than `maxSide` a side or `maxPixels` is refused from the header, before decoding.
QImage read(QIODevice &device, int maxSide, qint64 maxPixels, QString *reason);
} // namespace HeifReader
