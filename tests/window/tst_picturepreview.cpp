#include "gifwriter.h"
#include "picturecontrols.h"
#include "picturefiles.h"
#include "picturepreview.h"
#include "testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <future>
#include <memory>

#include <sys/stat.h>

namespace {
using PictureControls::Frame;
const QSize MainSize(120, 90);
const QSize SmallSize(30, 20);

QRgb colourOf(int k)
{
    return qRgb(20 * k, 250 - 20 * k, 90);
}
} // namespace

class PicturePreviewTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_thumbs;
    std::unique_ptr<QWidget> m_window;
    QLabel *m_image1 = nullptr;
    QLabel *m_noPicture = nullptr;
    std::array<QLabel *, 8> m_small{};
    std::unique_ptr<PicturePreview> m_preview;

    void makePreview(const QString &folder)
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(PictureControls::ClientSize);
        m_image1 = new QLabel(m_window.get());
        m_image1->setObjectName(QStringLiteral("Image1"));
        m_image1->setGeometry(PictureControls::Image1);
        m_noPicture = new QLabel(m_window.get());
        m_noPicture->setObjectName(QStringLiteral("image_nopicture"));
        m_noPicture->setGeometry(PictureControls::NoPicture);
        m_noPicture->hide();
        for (int i = 0; i < 8; ++i) {
            m_small[i] = new QLabel(m_window.get());
            m_small[i]->setObjectName(QStringLiteral("Image_small%1").arg(i + 1));
            m_small[i]->setGeometry(PictureControls::smallPicture(i));
        }
        m_preview =
            std::make_unique<PicturePreview>(PicturePreview::Controls{m_image1, Frame, m_small, m_noPicture}, folder);
        m_window->show();
    }

    // Picture 1 is 120x90, the others 30x20; each has a colour of its own.
    void writePicture(const QString &name, int k, QRgb colour = 0)
    {
        const QSize size = k == 1 ? MainSize : SmallSize;
        writeFile(m_thumbs + '/' + name + "_p" + QString::number(k) + ".gif",
                  GifWriter::solid(size.width(), size.height(), colour ? colour : colourOf(k)));
    }

    qint16 update(const QString &name, qint16 pics = 0)
    {
        ProjectInfo project;
        project.Name = name;
        project.Pics = pics;
        return m_preview->UpdatePicture(project);
    }

    QList<int> shownPictures() const
    {
        QList<int> shown;
        for (int i = 0; i < 8; ++i) {
            if (!m_small[i]->isHidden())
                shown.append(i + 2);
        }
        return shown;
    }

    bool showsBuiltIn() const
    {
        return imageOf(m_image1->pixmap()) == imageOf(PicturePreview::builtInImage()) && m_image1->geometry() == Frame;
    }

    bool showsMainPicture(QRgb colour = colourOf(1)) const
    {
        return m_image1->size() == MainSize && imageOf(m_image1->pixmap()).pixel(5, 5) == colour;
    }

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        m_thumbs = m_root.path() + "/app/Thumbs";
        QVERIFY(QDir().mkpath(m_thumbs));
        makePreview(m_thumbs);
    }

    void cleanup()
    {
        m_preview.reset();
        m_window.reset();
        QVERIFY(QDir(m_root.path()).removeRecursively());
    }

    void pictureCount_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<int>("storedPics");
        QTest::addColumn<bool>("mainPicture");
        QTest::addColumn<QList<int>>("shown");
        QTest::addColumn<int>("pics");

        const QStringList none;
        QTest::newRow("_p1 to _p4") << QStringList{"_p1", "_p2", "_p3", "_p4"} << none << 0 << true
                                    << QList<int>{2, 3, 4} << 4;
        QTest::newRow("_p1, _p2, _p4: the gap counts")
            << QStringList{"_p1", "_p2", "_p4"} << none << 0 << true << QList<int>{2, 4} << 4;
        QTest::newRow("_p1 only keeps Pics") << QStringList{"_p1"} << none << 7 << true << QList<int>{} << 7;
        QTest::newRow("none keeps Pics") << none << none << 5 << false << QList<int>{} << 5;
        QTest::newRow("_p2 to _p9 without _p1") << QStringList{"_p2", "_p3", "_p4", "_p5", "_p6", "_p7", "_p8", "_p9"}
                                                << none << 0 << false << QList<int>{2, 3, 4, 5, 6, 7, 8, 9} << 9;
        QTest::newRow("_p1 to _p3 lowers Pics 6")
            << QStringList{"_p1", "_p2", "_p3"} << none << 6 << true << QList<int>{2, 3} << 3;
        QTest::newRow("_p9 alone") << QStringList{"_p9"} << none << 1 << false << QList<int>{9} << 9;
        QTest::newRow("_p10 and higher never looked at")
            << QStringList{"_p10", "_p11", "_p19", "_p100"} << none << 2 << false << QList<int>{} << 2;
        QTest::newRow("no leading zeros, no other case")
            << QStringList{"_p01", "_p02", "_P3", "_p4 "} << none << 3 << false << QList<int>{} << 3;
        QTest::newRow("folders with picture names do not count")
            << QStringList{"_p2"} << QStringList{"_p1.gif", "_p3.gif"} << 0 << false << QList<int>{2} << 2;
    }

    void pictureCount()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        QFETCH(int, storedPics);
        QFETCH(bool, mainPicture);
        QFETCH(QList<int>, shown);
        QFETCH(int, pics);

        const QString name = QStringLiteral("Bridge");
        for (const QString &suffix : files) {
            const QSize size = suffix == "_p1" ? MainSize : SmallSize;
            writeFile(m_thumbs + '/' + name + suffix + ".gif",
                      GifWriter::solid(size.width(), size.height(), colourOf(suffix.mid(2).toInt())));
        }
        for (const QString &folder : folders)
            QVERIFY(QDir(m_thumbs).mkpath(name + folder));

        QCOMPARE(update(name, qint16(storedPics)), qint16(pics));
        QCOMPARE(shownPictures(), shown);
        for (int k : shown)
            QCOMPARE(imageOf(m_small[k - 2]->pixmap()).pixel(0, 0), colourOf(k));
        if (mainPicture)
            QVERIFY(showsMainPicture());
        else
            QVERIFY(showsBuiltIn());

        // Calling again for the same project changes nothing further.
        QCOMPARE(update(name, qint16(pics)), qint16(pics));
        QCOMPARE(shownPictures(), shown);
    }

    void mainPictureIsCentredUnscaled_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("position");

        QTest::newRow("same size as the frame") << QSize(180, 120) << QPoint(288, 16);
        QTest::newRow("120x90") << QSize(120, 90) << QPoint(318, 31);
        QTest::newRow("240x160 overhangs") << QSize(240, 160) << QPoint(258, -4);
        // An odd difference leaves the extra pixel right and below, for smaller and larger pictures.
        QTest::newRow("181 wide") << QSize(181, 120) << QPoint(287, 16);
        QTest::newRow("181x121") << QSize(181, 121) << QPoint(287, 15);
        QTest::newRow("179x119") << QSize(179, 119) << QPoint(288, 16);
        QTest::newRow("241x161") << QSize(241, 161) << QPoint(257, -5);
        QTest::newRow("1x1") << QSize(1, 1) << QPoint(377, 75);
    }

    void mainPictureIsCentredUnscaled()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, position);

        writeFile(m_thumbs + "/Hall_p1.gif", GifWriter::solid(size.width(), size.height(), colourOf(1)));
        update("Hall");
        QCOMPARE(m_image1->geometry(), QRect(position, size));
        QCOMPARE(m_image1->pixmap().size(), size);
        QVERIFY(!m_image1->hasScaledContents());
        QVERIFY(!m_image1->isHidden());
    }

    void builtInImageCoversTheFrame()
    {
        writeFile(m_thumbs + "/Hall_p1.gif", GifWriter::solid(240, 160, colourOf(1)));
        update("Hall");
        QCOMPARE(m_image1->geometry(), QRect(258, -4, 240, 160));

        update("Town Hall");
        QVERIFY(showsBuiltIn());
        QCOMPARE(m_image1->geometry(), QRect(288, 16, 180, 120));
        QCOMPARE(imageOf(m_noPicture->pixmap()), imageOf(PicturePreview::builtInImage()));
        QVERIFY(m_noPicture->isHidden());
    }

    void smallPicturesStretchToTheirBox()
    {
        QImage halves(30, 10, QImage::Format_RGB32);
        halves.fill(qRgb(255, 0, 0));
        for (int y = 0; y < 10; ++y)
            for (int x = 15; x < 30; ++x)
                halves.setPixel(x, y, qRgb(0, 0, 255));
        writeFile(m_thumbs + "/Mill_p2.gif", GifWriter::encode(halves));

        update("Mill");
        QLabel *box = m_small[0];
        QCOMPARE(box->size(), QSize(90, 60));
        const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(90, 60));
        QCOMPARE(shown.pixel(2, 2), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(40, 57), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(50, 2), qRgb(0, 0, 255));
        QCOMPARE(shown.pixel(87, 57), qRgb(0, 0, 255));
    }

    void hiddenBoxKeepsItsPicture()
    {
        writePicture("Mill", 3);
        QCOMPARE(update("Mill"), qint16(3));
        QVERIFY(!m_small[1]->isHidden());

        QVERIFY(QFile::remove(m_thumbs + "/Mill_p3.gif"));
        QCOMPARE(update("Mill", 3), qint16(3));
        QVERIFY(m_small[1]->isHidden());
        QCOMPARE(imageOf(m_small[1]->pixmap()).pixel(0, 0), colourOf(3));
    }

    void filesAreReadAfreshAtEveryCall()
    {
        QCOMPARE(update("Tower", 1), qint16(1));
        QVERIFY(showsBuiltIn());
        QCOMPARE(shownPictures(), QList<int>{});

        writePicture("Tower", 1);
        writePicture("Tower", 3);
        QCOMPARE(update("Tower", 1), qint16(3));
        QVERIFY(showsMainPicture());
        QCOMPARE(shownPictures(), QList<int>{3});

        // Replaced and removed files show at the next call too.
        writePicture("Tower", 3, qRgb(1, 2, 3));
        writeFile(m_thumbs + "/Tower_p1.gif", GifWriter::solid(240, 160, qRgb(4, 5, 6)));
        QCOMPARE(update("Tower", 3), qint16(3));
        QCOMPARE(m_image1->geometry(), QRect(258, -4, 240, 160));
        QCOMPARE(imageOf(m_small[1]->pixmap()).pixel(0, 0), qRgb(1, 2, 3));

        QVERIFY(QFile::remove(m_thumbs + "/Tower_p1.gif"));
        update("Tower", 3);
        QVERIFY(showsBuiltIn());
    }

    void missingFolderCountsAsAllMissing()
    {
        writePicture("Park", 1);
        writePicture("Park", 2);
        makePreview(m_root.path() + "/elsewhere/Thumbs");
        QCOMPARE(update("Park", 6), qint16(6));
        QVERIFY(showsBuiltIn());
        QCOMPARE(shownPictures(), QList<int>{});
    }

    // Only plain files are pictures: a FIFO would block the read for ever. Links are followed, so a
    // folder of pictures may point into another one.
    void nonPlainFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("found");

        QTest::newRow("FIFO") << "fifo" << false;
        QTest::newRow("link to a FIFO") << "link to fifo" << false;
        QTest::newRow("dangling link") << "dangling" << false;
        QTest::newRow("link to a picture elsewhere") << "link to picture" << true;
    }

    void nonPlainFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, found);

        const QString fifo = m_root.path() + "/fifo";
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString picture = m_root.path() + "/elsewhere.gif";
        writeFile(picture, GifWriter::solid(30, 20, colourOf(5)));
        const QString entry = m_thumbs + "/Lock_p5.gif";
        if (kind == "fifo")
            QVERIFY(QFile::rename(fifo, entry));
        else
            QVERIFY(QFile::link(kind == "link to fifo"   ? fifo
                                    : kind == "dangling" ? m_root.path() + "/gone.gif"
                                                         : picture,
                                entry));

        QCOMPARE(update("Lock", 2), qint16(found ? 5 : 2));
        QCOMPARE(shownPictures(), found ? QList<int>{5} : QList<int>{});

        // A FIFO may take a picture's place after it was looked up: the read must not wait on it.
        auto loading = std::async(std::launch::async, [&entry] { return PictureFiles::loadPicture(entry); });
        if (loading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            QFile writer(entry);
            writer.open(QIODevice::WriteOnly); // lets the waiting read go
            QFAIL("reading a FIFO named like a picture waited for a writer");
        }
        QCOMPARE(loading.get().isNull(), !found);
    }

    void namesAreUsedAsStored_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filesFor");
        QTest::addColumn<bool>("found");

        QTest::newRow("empty name") << QString() << QString() << true;
        QTest::newRow("spaces") << "Bridge 12"
                                << "Bridge 12" << true;
        QTest::newRow("dots") << "v1.2 final."
                              << "v1.2 final." << true;
        QTest::newRow("two dots only") << ".."
                                       << ".." << true;
        QTest::newRow("leading dot") << ".hidden"
                                     << ".hidden" << true;
        QTest::newRow("trailing space kept") << "Tower "
                                             << "Tower " << true;
        QTest::newRow("no trimming") << "Tower"
                                     << "Tower " << false;
        QTest::newRow("accents") << "Café Lumière"
                                 << "Café Lumière" << true;
        QTest::newRow("longest a file name can hold") << QString(248, 'n') << QString(248, 'n') << true;
        QTest::newRow("pattern characters are literal") << "*"
                                                        << "Mill" << false;
        QTest::newRow("question mark literal") << "Mil?"
                                               << "Mill" << false;
    }

    void namesAreUsedAsStored()
    {
        QFETCH(QString, name);
        QFETCH(QString, filesFor);
        QFETCH(bool, found);

        writePicture(filesFor, 1);
        writePicture(filesFor, 3);
        QCOMPARE(update(name, 1), qint16(found ? 3 : 1));
        QCOMPARE(showsMainPicture(), found);
        QCOMPARE(showsBuiltIn(), !found);
        QCOMPARE(shownPictures(), found ? QList<int>{3} : QList<int>{});
    }

    void unsafeNamesReadNothingOutside_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("baits"); // picture files a careless lookup would find

        const QString root = m_root.path();
        QTest::newRow("parent folders") << "../../secret" << QStringList{root + "/secret"};
        QTest::newRow("absolute path") << root + "/abs/x" << QStringList{root + "/abs/x"};
        QTest::newRow("sub-folder of Thumbs") << "sub/pic" << QStringList{root + "/app/Thumbs/sub/pic"};
        QTest::newRow("backslash") << "sub\\pic"
                                   << QStringList{root + "/app/Thumbs/sub\\pic", root + "/app/Thumbs/sub/pic"};
        QTest::newRow("NUL") << QString("evil") + QChar(0)
                + "rest" << QStringList{root + "/app/Thumbs/evil", root + "/app/Thumbs/evil" + QChar(0xfffd) + "rest"};
        const QString surrogate = QString(QChar(0xd800)) + "q";
        QTest::newRow("lone surrogate") << surrogate
                                        << QStringList{root + "/app/Thumbs/"
                                                       + QFile::decodeName(QFile::encodeName(surrogate))};
    }

    void unsafeNamesReadNothingOutside()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, baits);

        for (const QString &bait : baits) {
            for (int k = 1; k <= 9; ++k)
                writeFile(bait + "_p" + QString::number(k) + ".gif",
                          GifWriter::solid(k == 1 ? 120 : 30, k == 1 ? 90 : 20, colourOf(k)));
        }
        // The lookup a careless preview would make does find the baits.
        if (!name.contains(QChar(0)) && !name.contains(QChar(0xd800)))
            QVERIFY(QFileInfo(m_thumbs + '/' + name + "_p1.gif").isFile() || QFileInfo(name + "_p1.gif").isFile());

        QCOMPARE(update(name, 5), qint16(5));
        QVERIFY(showsBuiltIn());
        QCOMPARE(shownPictures(), QList<int>{});
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("shown");

        const QByteArray good = GifWriter::solid(120, 90, colourOf(1));
        QImage png(120, 90, QImage::Format_RGB32);
        png.fill(colourOf(1));
        QByteArray pngBytes;
        {
            QBuffer buffer(&pngBytes);
            QVERIFY(buffer.open(QIODevice::WriteOnly));
            QVERIFY(png.save(&buffer, "PNG"));
        }

        QTest::newRow("zero bytes") << QByteArray() << false;
        QTest::newRow("text") << QByteArray("not a picture\r\n") << false;
        QTest::newRow("only the signature") << QByteArray("GIF89a") << false;
        QTest::newRow("cut in the colour table") << good.left(20) << false;
        QTest::newRow("a PNG named .gif") << pngBytes << false;
        QTest::newRow("declares 65535x65535") << GifWriter::declaring(65535, 65535, 65535, 65535) << false;
        QTest::newRow("no screen size, huge frame") << GifWriter::declaring(0, 0, 65535, 65535) << false;
        QTest::newRow("4097 wide") << GifWriter::solid(4097, 1, colourOf(1)) << false;
        QTest::newRow("4097 high") << GifWriter::solid(1, 4097, colourOf(1)) << false;
        // Too large to be read at every selection, whatever it holds.
        QTest::newRow("over 16 MB, a long comment before one pixel") << [] {
            constexpr int HeaderSize = 13 + 3 * 256;
            const QByteArray pixel = GifWriter::solid(1, 1, colourOf(1));
            QByteArray comment("\x21\xfe");
            const QByteArray block = '\xff' + QByteArray(255, 'c');
            while (comment.size() <= PictureFiles::MaxFileBytes)
                comment += block;
            return pixel.left(HeaderSize) + comment + '\0' + pixel.mid(HeaderSize);
        }() << false;
        // Decodable after all: what the decoder makes of them is shown.
        QTest::newRow("cut in the picture data") << good.left(good.size() / 2) << true;
        QTest::newRow("huge frame on a small screen") << GifWriter::declaring(10, 10, 65535, 65535) << true;
        QTest::newRow("4096 wide") << GifWriter::solid(4096, 1, colourOf(1)) << true;
    }

    void brokenFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, shown);

        writeFile(m_thumbs + "/Station_p1.gif", bytes);
        writeFile(m_thumbs + "/Station_p2.gif", bytes);
        writeFile(m_thumbs + "/Station_p4.gif", GifWriter::solid(30, 20, colourOf(4)));

        // A file that is there counts, shown or not: the pages still refer to it.
        QCOMPARE(update("Station", 0), qint16(4));
        const QList<int> expected = shown ? QList<int>{2, 4} : QList<int>{4};
        QCOMPARE(shownPictures(), expected);
        if (shown) {
            QVERIFY(!m_image1->pixmap().isNull());
            QCOMPARE(m_image1->size(), m_image1->pixmap().size());
            const QRect placed = m_image1->geometry();
            const int horizontal = (Frame.right() - placed.right()) - (placed.left() - Frame.left());
            const int vertical = (Frame.bottom() - placed.bottom()) - (placed.top() - Frame.top());
            QVERIFY2((horizontal == 0 || horizontal == 1) && (vertical == 0 || vertical == 1),
                     qPrintable(QStringLiteral("%1,%2").arg(horizontal).arg(vertical)));
        } else {
            QVERIFY(showsBuiltIn());
        }
    }
};

QTEST_MAIN(PicturePreviewTest)
#include "tst_picturepreview.moc"
