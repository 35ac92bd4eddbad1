#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

// A JPEG of `image` that carries an EXIF orientation tag, as a camera held on its side writes it:
// the pixels as the sensor saw them, and the turn that shows them upright.
inline QByteArray jpegWithOrientation(const QImage &image, quint16 orientation, int quality = 90)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(image))
        return {};
    // APP1: "Exif", a big-endian TIFF header, one IFD holding the one tag 0x0112.
    QByteArray exif("\xff\xe1\x00\x22"
                    "Exif\0\0"
                    "MM\x00\x2a\x00\x00\x00\x08"
                    "\x00\x01"
                    "\x01\x12\x00\x03\x00\x00\x00\x01",
                    4 + 6 + 8 + 2 + 8);
    exif.append(char(orientation >> 8)).append(char(orientation & 0xff)).append(QByteArray(2 + 4, '\0'));
    return jpeg.insert(2, exif);
}
