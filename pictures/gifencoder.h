#pragma once

#include <QByteArray>

class QImage;

// Qt reads GIFs but cannot write them; giflib (MIT licensed, packaged by Debian and used by most
// programs that write GIFs) does the LZW coding.
namespace GifEncoder {
// A single-frame GIF89a of an 8-bit indexed image; a colour-table entry with alpha 0 becomes the
// transparent colour. Nothing but the picture is written: no comment, no application extension.
// Empty when giflib fails.
QByteArray encode(const QImage &indexed);
} // namespace GifEncoder
