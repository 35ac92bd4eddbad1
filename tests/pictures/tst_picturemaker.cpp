#include "exifjpeg.h"
#include "picturemaker.h"
#include "picturestep.h"
#include "testfiles.h"

#include <QElapsedTimer>
#include <QImageReader>
#include <QtEndian>
#include <QSet>
#include <QTest>

#include <cmath>

#include <sys/stat.h>

#ifdef CATALOGUE_HEIF
#include <libheif/heif.h>
#endif

namespace {

// Red on the left, blue on the right, and a gradient with noise below: many colours.
QImage photo(int width, int height, bool alpha = false)
{
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int noise = (x * 7919 + y * 104729) % 23;
            const QRgb base = x < width / 2 ? qRgb(220, 30 + noise, 40) : qRgb(30, 60 + noise, 210 - y * 100 / height);
            image.setPixel(x, y, alpha && y < height / 2 ? qRgba(0, 0, 0, 0) : base);
        }
    }
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    const QByteArray chunk = QByteArray(type, 4) + data;
    quint32 crc = 0xffffffffu;
    for (const char byte : chunk) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
    }
    crc = ~crc;
    QByteArray length(4, '\0'), sum(4, '\0');
    qToBigEndian(quint32(data.size()), length.data());
    qToBigEndian(crc, sum.data());
    return length + chunk + sum;
}

// A PNG whose header declares 100000 × 100000 pixels, followed by a little compressed data.
QByteArray pngBomb()
{
    QByteArray header(13, '\0');
    qToBigEndian(quint32(100000), header.data());
    qToBigEndian(quint32(100000), header.data() + 4);
    header[8] = 8; // 8 bits, RGB
    header[9] = 2;
    return QByteArray("\x89PNG\r\n\x1a\n") + pngChunk("IHDR", header)
        + pngChunk("IDAT", qCompress(QByteArray(1 << 16, '\0')).mid(4)) + pngChunk("IEND", {});
}

#ifdef CATALOGUE_HEIF
QByteArray heic(const QImage &source)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_image *image = nullptr;
    heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::copy_n(rgb.constScanLine(y), rgb.width() * 3, plane + qsizetype(y) * stride);
    QByteArray out;
    heif_writer writer{1, [](heif_context *, const void *data, size_t size, void *userdata) {
                           static_cast<QByteArray *>(userdata)->append(static_cast<const char *>(data),
                                                                       qsizetype(size));
                           return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                       }};
    if (encoder && heif_context_encode_image(context, image, encoder, nullptr, nullptr).code == heif_error_Ok)
        heif_context_write(context, &writer, &out);
    heif_image_release(image);
    if (encoder)
        heif_encoder_release(encoder);
    heif_context_free(context);
    return out;
}
#endif

double psnr(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += d * d;
        }
    }
    return 10 * std::log10(255.0 * 255.0 / (sum / (3.0 * a.width() * a.height()) + 1e-9));
}

using Folder = QMap<QString, QByteArray>;

Folder contents(const QString &folder)
{
    Folder files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::System))
        files.insert(name, readFile(folder + QLatin1Char('/') + name));
    return files;
}

} // namespace

class PictureMakerTest : public QObject
{
    Q_OBJECT

private slots:
    void make_data();
    void make();
    void steps_data();
    void steps();

private:
    QTemporaryDir m_root;
};

void PictureMakerTest::make_data()
{
    QTest::addColumn<QByteArray>("bytes"); // written to a file; "<folder>", "<fifo>" or "<missing>" make those
    QTest::addColumn<QImage>("upright"); // what the file shows; null when refused
    QTest::addColumn<QString>("refusal");

    const QImage wide = photo(1000, 500);
    const QByteArray png = encoded(wide, "png");
    QTest::newRow("jpeg turned by orientation 6")
        << jpegWithOrientation(photo(300, 200), 6) << photo(300, 200).transformed(QTransform().rotate(90)) << "";
    const QImage large = photo(600, 400).scaled(6000, 4000);
    QTest::newRow("6000 x 4000 jpeg, decoded reduced and turned")
        << jpegWithOrientation(large, 6) << large.transformed(QTransform().rotate(90)) << "";
    QTest::newRow("large png fits") << png << wide << "";
    QTest::newRow("small png not enlarged") << encoded(photo(50, 40), "png") << photo(50, 40) << "";
    QTest::newRow("transparency kept") << encoded(photo(60, 60, true), "png") << photo(60, 60, true) << "";
    QTest::newRow("webp") << encoded(photo(360, 240), "webp") << photo(360, 240) << "";
#ifdef CATALOGUE_HEIF
    QTest::newRow("heic") << heic(photo(320, 240)) << photo(320, 240) << "";
#endif
    QTest::newRow("png declaring 100000 x 100000") << pngBomb() << QImage() << "100000 × 100000 pixels";
    QTest::newRow("empty") << QByteArray() << QImage() << "It is empty.";
    QTest::newRow("truncated png") << png.left(png.size() / 2) << QImage() << "damaged or incomplete";
    const QByteArray jpeg = jpegWithOrientation(photo(300, 200), 1);
    QTest::newRow("truncated jpeg") << jpeg.left(jpeg.size() / 2) << QImage() << "damaged or incomplete";
    QTest::newRow("random bytes") << QByteArray(5000, '\x5a') << QImage() << "not a picture";
    QTest::newRow("folder") << QByteArray("<folder>") << QImage() << "folder";
    QTest::newRow("fifo") << QByteArray("<fifo>") << QImage() << "not a plain file";
    QTest::newRow("missing") << QByteArray("<missing>") << QImage() << "No such file";
}

void PictureMakerTest::make()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QImage, upright);
    QFETCH(QString, refusal);
    const QString path = m_root.filePath(QStringLiteral("source %1").arg(QTest::currentDataTag()));
    if (bytes == "<folder>")
        QVERIFY(QDir().mkpath(path));
    else if (bytes == "<fifo>")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (bytes != "<missing>")
        writeFile(path, bytes);

    QElapsedTimer timer;
    timer.start();
    const MadePicture made = PictureMaker::make(path);
    QVERIFY2(timer.elapsed() < 5000, "a refusal from the header must not decode");
    if (upright.isNull()) {
        QVERIFY(!made.made());
        QVERIFY2(made.reason.startsWith(QFileInfo(path).fileName() + QLatin1Char(':')), qPrintable(made.reason));
        QVERIFY2(made.reason.contains(refusal), qPrintable(made.reason));
        return;
    }
    QVERIFY2(made.made() && made.reason.isEmpty(), qPrintable(made.reason));
    QCOMPARE(readFile(path), bytes); // only read
    QVERIFY(made.gif.startsWith("GIF89a"));
    QBuffer buffer(const_cast<QByteArray *>(&made.gif));
    QImageReader reader(&buffer, "gif");
    const QImage gif = reader.read().convertToFormat(QImage::Format_ARGB32);
    const QSize size = PictureMaker::fitted(upright.size());
    QVERIFY(size.width() == 180 || size.height() == 120 || size == upright.size());
    QCOMPARE(gif.size(), size);
    QSet<QRgb> colours;
    for (int y = 0; y < gif.height(); ++y) {
        for (int x = 0; x < gif.width(); ++x)
            colours.insert(gif.pixel(x, y));
    }
    QVERIFY(colours.size() <= 256);
    if (QByteArray(QTest::currentDataTag()).startsWith("transparency")) {
        QCOMPARE(qAlpha(gif.pixel(30, 10)), 0);
        QCOMPARE(qAlpha(gif.pixel(30, 50)), 255);
        return;
    }
    const QImage expected = upright.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY2(psnr(gif, expected) > 28, qPrintable(QString::number(psnr(gif, expected))));
}

void PictureMakerTest::steps_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("after"); // the files afterwards: name of each and the letter it holds
    QTest::addColumn<QString>("refusal");

    const QString before = "Boat_p1 A, Boat_p2 B, Boat_p3 C, Boat_p4 D, Other_p1 O";
    QTest::newRow("add two") << "add" << before + ", Boat_p5 E, Boat_p6 F"
                             << "";
    QTest::newRow("replace 2") << "replace 2"
                               << "Boat_p1 A, Boat_p2 X, Boat_p3 C, Boat_p4 D, Other_p1 O"
                               << "";
    QTest::newRow("remove 2") << "remove 2"
                              << "Boat_p1 A, Boat_p2 C, Boat_p3 D, Other_p1 O"
                              << "";
    QTest::newRow("remove last") << "remove 4"
                                 << "Boat_p1 A, Boat_p2 B, Boat_p3 C, Other_p1 O"
                                 << "";
    QTest::newRow("move 3 earlier") << "move 3 2"
                                    << "Boat_p1 A, Boat_p2 C, Boat_p3 B, Boat_p4 D, Other_p1 O"
                                    << "";
    QTest::newRow("make 3 main") << "move 3 1"
                                 << "Boat_p1 C, Boat_p2 A, Boat_p3 B, Boat_p4 D, Other_p1 O"
                                 << "";
    QTest::newRow("rename") << "rename Ship"
                            << "Other_p1 O, Ship_p1 A, Ship_p2 B, Ship_p3 C, Ship_p4 D"
                            << "";
    QTest::newRow("rename, case clash reported") << "rename other"
                                                 << ""
                                                 << "differs from the picture Other_p1.gif";
    QTest::newRow("rename onto pictures") << "rename Other" << before << "Other_p1.gif exists already";
    QTest::newRow("rename, old name in use") << "rename Ship shared" << before << "another project still carries";
    QTest::newRow("rename, no pictures to rename") << "rename Ship Nobody" << before << "";
    QTest::newRow("rename to no file name") << "rename a/b" << before << "cannot be part of a file name";
    QTest::newRow("remove one not there") << "remove 7" << before << "There is no picture 7.";
    QTest::newRow("changed behind the step") << "remove 2 tamper"
                                             << ""
                                             << "was changed by another program";
}

void PictureMakerTest::steps()
{
    QFETCH(QString, step);
    QFETCH(QString, after);
    QFETCH(QString, refusal);
    const QString folder = m_root.filePath(QStringLiteral("steps %1/Thumbs").arg(QTest::currentDataTag()));
    const auto files = [](const QString &list) {
        Folder described;
        for (const QString &entry : list.split(QStringLiteral(", ")))
            described.insert(entry.section(' ', 0, 0) + QStringLiteral(".gif"), entry.section(' ', 1).toLatin1());
        return described;
    };
    const Folder initial = files("Boat_p1 A, Boat_p2 B, Boat_p3 C, Boat_p4 D, Other_p1 O");
    for (auto it = initial.cbegin(); it != initial.cend(); ++it)
        writeFile(folder + QLatin1Char('/') + it.key(), it.value());

    const QStringList words = step.split(' ');
    PictureStep change = words[0] == "add" ? PictureStep::add(folder, "Boat", {"E", "F"})
        : words[0] == "replace"            ? PictureStep::replace(folder, "Boat", words[1].toInt(), "X")
        : words[0] == "remove"             ? PictureStep::remove(folder, "Boat", words[1].toInt())
        : words[0] == "move"
        ? PictureStep::move(folder, "Boat", words[1].toInt(), words[2].toInt())
        : PictureStep::rename(folder,
                              PictureRename::plan(folder, words.value(2) == "Nobody" ? "Nobody" : "Boat", words[1],
                                                  words.value(2) == "shared", false));
    if (!change.warnings().isEmpty()) {
        QVERIFY2(change.warnings().join(' ').contains(refusal), qPrintable(change.warnings().join(' ')));
        return;
    }
    if (words.last() == "tamper") {
        QVERIFY(change.redo().done);
        writeFile(folder + "/Boat_p3.gif", "Z");
        const Folder tampered = contents(folder);
        const StepOutcome undone = change.undo();
        QVERIFY(!undone.done && undone.reason.contains(refusal));
        QCOMPARE(contents(folder), tampered);
        return;
    }
    const StepOutcome done = change.redo();
    QCOMPARE(contents(folder), files(after));
    if (!refusal.isEmpty()) {
        QVERIFY2(!done.done && done.reason.contains(refusal), qPrintable(done.reason));
        return;
    }
    QVERIFY2(done.done, qPrintable(done.reason));
    QCOMPARE(change.undo(), (StepOutcome{true, {}}));
    QCOMPARE(contents(folder), initial);
    QCOMPARE(change.redo(), (StepOutcome{true, {}}));
    QCOMPARE(contents(folder), files(after));
}

QTEST_GUILESS_MAIN(PictureMakerTest)
#include "tst_picturemaker.moc"
