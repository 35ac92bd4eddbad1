#pragma once

#include <QByteArray>
#include <QImage>

// Qt reads GIFs but cannot write them; the tests make their picture files with this.
namespace GifWriter {
// A GIF89a of `image` (at most 256 colours), LZW-coded without compression.
QByteArray encode(const QImage &image);

// A solid picture of one colour.
QByteArray solid(int width, int height, QRgb colour);

// A well-formed GIF whose headers claim the given sizes but that carries only a few pixels.
QByteArray declaring(int screenWidth, int screenHeight, int frameWidth, int frameHeight);
} // namespace GifWriter
