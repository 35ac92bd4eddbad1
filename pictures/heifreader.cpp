#include "heifreader.h"

#include <QCoreApplication>
#include <QIODevice>

#ifdef CATALOGUE_HEIF
#include <libheif/heif.h>

#include <memory>
#endif

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("HeifReader", text);
}

#ifdef CATALOGUE_HEIF
QIODevice *deviceOf(void *userdata)
{
    return static_cast<QIODevice *>(userdata);
}

const heif_reader DeviceReader = {
    1,
    [](void *userdata) -> int64_t { return deviceOf(userdata)->pos(); },
    [](void *data, size_t size, void *userdata) -> int {
        return deviceOf(userdata)->read(static_cast<char *>(data), qint64(size)) == qint64(size) ? 0 : -1;
    },
    [](int64_t position, void *userdata) -> int { return deviceOf(userdata)->seek(position) ? 0 : -1; },
    [](int64_t size, void *userdata) {
        return size <= deviceOf(userdata)->size() ? heif_reader_grow_status_size_reached
                                                  : heif_reader_grow_status_size_beyond_eof;
    },
};

void initialise()
{
    // Loads the decoder plugins once; they stay for the program's life.
    static const bool done = [] {
        heif_init(nullptr);
        return true;
    }();
    Q_UNUSED(done);
}

template <typename T, void (*release)(T *)>
struct Releaser
{
    void operator()(T *object) const { release(object); }
};
using Context = std::unique_ptr<heif_context, Releaser<heif_context, heif_context_free>>;
using Handle = std::unique_ptr<const heif_image_handle, Releaser<const heif_image_handle, heif_image_handle_release>>;
using Image = std::unique_ptr<const heif_image, Releaser<const heif_image, heif_image_release>>;
using Options = std::unique_ptr<heif_decoding_options, Releaser<heif_decoding_options, heif_decoding_options_free>>;

QString damaged(const heif_error &error)
{
    return QCoreApplication::translate("HeifReader", "It is damaged or incomplete (%1).")
        .arg(QString::fromUtf8(error.message));
}
#endif

} // namespace

namespace HeifReader {

bool available()
{
#ifdef CATALOGUE_HEIF
    return true;
#else
    return false;
#endif
}

bool recognises(const QByteArray &head)
{
#ifdef CATALOGUE_HEIF
    return head.size() >= 12
        && heif_check_filetype(reinterpret_cast<const uint8_t *>(head.constData()), int(head.size()))
        != heif_filetype_no;
#else
    static const QByteArrayList brands = {"heic", "heix", "hevc", "hevx", "heim", "heis",
                                          "hevm", "hevs", "mif1", "msf1", "avif", "avis"};
    return head.size() >= 12 && head.mid(4, 4) == "ftyp" && brands.contains(head.mid(8, 4));
#endif
}

QImage read(QIODevice &device, int maxSide, qint64 maxPixels, QString *reason)
{
#ifdef CATALOGUE_HEIF
    initialise();
    if (!device.seek(0)) {
        *reason = tr("It could not be read.");
        return {};
    }
    Context context(heif_context_alloc());
    heif_context_set_maximum_image_size_limit(context.get(), maxSide);
    heif_error error = heif_context_read_from_reader(context.get(), &DeviceReader, &device, nullptr);
    if (error.code != heif_error_Ok) {
        *reason = damaged(error);
        return {};
    }
    heif_image_handle *primary = nullptr;
    error = heif_context_get_primary_image_handle(context.get(), &primary);
    Handle handle(primary);
    if (error.code != heif_error_Ok) {
        *reason = damaged(error);
        return {};
    }
    const int width = heif_image_handle_get_width(primary), height = heif_image_handle_get_height(primary);
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide || qint64(width) * height > maxPixels) {
        *reason = tr("It is %1 × %2 pixels, larger than pictures are made from.").arg(width).arg(height);
        return {};
    }
    const bool alpha = heif_image_handle_has_alpha_channel(primary);
    Options options(heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    options->strict_decoding = 1;
    heif_image *decoded = nullptr;
    error = heif_decode_image(primary, &decoded, heif_colorspace_RGB,
                              alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    Image image(decoded);
    if (error.code != heif_error_Ok) {
        *reason = damaged(error);
        return {};
    }
    int stride = 0;
    const uint8_t *plane = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const int planeWidth = heif_image_get_width(decoded, heif_channel_interleaved);
    const int planeHeight = heif_image_get_height(decoded, heif_channel_interleaved);
    if (!plane || planeWidth <= 0 || planeHeight <= 0) {
        *reason = tr("It is damaged or incomplete.");
        return {};
    }
    QImage result(planeWidth, planeHeight, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (result.isNull()) {
        *reason = tr("There is not enough memory to read it.");
        return {};
    }
    const qsizetype lineBytes = qsizetype(planeWidth) * (alpha ? 4 : 3);
    for (int y = 0; y < planeHeight; ++y)
        std::copy_n(plane + qsizetype(y) * stride, lineBytes, result.scanLine(y));
    return result;
#else
    Q_UNUSED(device);
    Q_UNUSED(maxSide);
    Q_UNUSED(maxPixels);
    *reason = tr("It is a HEIC/HEIF photo, which this build of the program does not read.");
    return {};
#endif
}

} // namespace HeifReader
