#include "gifwriter.h"

#include <QList>

namespace {
void put16(QByteArray &out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

void putHeader(QByteArray &out, int width, int height, const QList<QRgb> &palette)
{
    out.append("GIF89a");
    put16(out, width);
    put16(out, height);
    out.append(char(0xf7)); // global table of 256 colours
    out.append(char(0));
    out.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < palette.size() ? palette.at(i) : 0;
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
}

void putFrame(QByteArray &out, int width, int height, const QList<uchar> &indices)
{
    out.append(char(0x2c));
    put16(out, 0);
    put16(out, 0);
    put16(out, width);
    put16(out, height);
    out.append(char(0));
    out.append(char(8)); // minimum code size

    // Nine-bit codes throughout: a clear code before the table would grow to ten bits.
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    const auto code = [&](int value) {
        bits |= quint32(value) << count;
        count += 9;
        while (count >= 8) {
            data.append(char(bits & 0xff));
            bits >>= 8;
            count -= 8;
        }
    };
    constexpr int Clear = 256;
    constexpr int End = 257;
    for (int i = 0; i < indices.size(); ++i) {
        if (i % 250 == 0)
            code(Clear);
        code(indices.at(i));
    }
    code(End);
    if (count > 0)
        data.append(char(bits & 0xff));

    for (int at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
}
} // namespace

namespace GifWriter {
QByteArray encode(const QImage &image)
{
    QList<QRgb> palette;
    QList<uchar> indices;
    indices.reserve(qsizetype(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) | 0xff000000u;
            int index = palette.indexOf(c);
            if (index < 0) {
                Q_ASSERT(palette.size() < 256);
                index = palette.size();
                palette.append(c);
            }
            indices.append(uchar(index));
        }
    }
    QByteArray out;
    putHeader(out, image.width(), image.height(), palette);
    putFrame(out, image.width(), image.height(), indices);
    out.append(char(0x3b));
    return out;
}

QByteArray solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return encode(image);
}

QByteArray declaring(int screenWidth, int screenHeight, int frameWidth, int frameHeight)
{
    QByteArray out;
    putHeader(out, screenWidth, screenHeight, {qRgb(255, 0, 0)});
    putFrame(out, frameWidth, frameHeight, QList<uchar>(16, 0));
    out.append(char(0x3b));
    return out;
}
} // namespace GifWriter
