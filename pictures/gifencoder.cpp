#include "gifencoder.h"

#include <QImage>

#include <gif_lib.h>

namespace {

int append(GifFileType *gif, const GifByteType *bytes, int size)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(bytes), size);
    return size;
}

} // namespace

namespace GifEncoder {

QByteArray encode(const QImage &indexed)
{
    if (indexed.format() != QImage::Format_Indexed8 || indexed.isNull() || indexed.colorCount() < 1
        || indexed.colorCount() > 256 || indexed.width() > 0xffff || indexed.height() > 0xffff)
        return {};
    const QList<QRgb> table = indexed.colorTable();
    int transparent = NO_TRANSPARENT_COLOR;
    // A GIF's colour table holds a power of two entries, two at the least.
    int entries = 2;
    while (entries < table.size())
        entries *= 2;
    ColorMapObject *map = GifMakeMapObject(entries, nullptr);
    if (!map)
        return {};
    for (int i = 0; i < entries; ++i) {
        const QRgb colour = i < table.size() ? table[i] : 0;
        map->Colors[i] = {GifByteType(qRed(colour)), GifByteType(qGreen(colour)), GifByteType(qBlue(colour))};
        if (i < table.size() && qAlpha(colour) == 0 && transparent == NO_TRANSPARENT_COLOR)
            transparent = i;
    }

    QByteArray out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, append, &error);
    bool written = gif != nullptr;
    if (written) {
        EGifSetGifVersion(gif, true);
        written = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map) == GIF_OK;
    }
    if (written && transparent != NO_TRANSPARENT_COLOR) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, transparent};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        written = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) == GIF_OK;
    }
    if (written)
        written = EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    QByteArray line(indexed.width(), Qt::Uninitialized);
    for (int y = 0; written && y < indexed.height(); ++y) {
        std::copy_n(indexed.constScanLine(y), indexed.width(), line.data());
        written = EGifPutLine(gif, reinterpret_cast<GifPixelType *>(line.data()), indexed.width()) == GIF_OK;
    }
    if (gif && EGifCloseFile(gif, &error) != GIF_OK)
        written = false;
    GifFreeMapObject(map);
    return written ? out : QByteArray();
}

} // namespace GifEncoder
