// Damaged and hostile files in the picture folder, met through the window as a user meets them:
// selecting their project must stay quick, keep memory bounded and leave the window working.
#include "gifwriter.h"
#include "messages.h"
#include "picturecontrols.h"
#include "picturepreview.h"
#include "windowfixture.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QRandomGenerator>

#include <sys/resource.h>
#include <sys/stat.h>

// Under AddressSanitizer, freed memory is held back for a while to catch late uses; the default
// 256 MB of it would be counted as the program's own peak.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=16";
}

namespace {

constexpr qint64 SelectionLimitMs = 2000;
constexpr long MemoryGrowthLimitKB = 200L * 1024;
constexpr int Rounds = 3;
using PictureControls::Frame;

enum class Entry { File, Folder, Fifo };

struct BrokenKind
{
    QString name;
    Entry entry = Entry::File;
    QByteArray bytes;
    bool decodable = false; // what the decoder can still make a picture of is shown
};

QByteArray randomBytes(int size)
{
    QRandomGenerator random(0x6a09e667);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

// Many frames, each a picture of its own colour, looping for ever.
QByteArray animatedGif(int frames)
{
    constexpr int HeaderSize = 13 + 3 * 256; // signature, screen descriptor, global colour table
    QByteArray out = GifWriter::solid(180, 120, qRgb(10, 20, 30)).left(HeaderSize);
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (int f = 0; f < frames; ++f) {
        out.append("\x21\xf9\x04\x04\x05\x00\x00\x00", 8); // 50 ms per frame
        const QByteArray single = GifWriter::solid(180, 120, qRgb(f % 256, 255 - f % 256, 90));
        out.append(single.mid(HeaderSize, single.size() - HeaderSize - 1));
    }
    out.append(char(0x3b));
    return out;
}

QList<BrokenKind> brokenKinds()
{
    const QByteArray good = GifWriter::solid(120, 90, qRgb(200, 40, 40));
    return {
        {QStringLiteral("zero bytes"), Entry::File, QByteArray(), false},
        {QStringLiteral("only the signature"), Entry::File, QByteArray("GIF89a"), false},
        {QStringLiteral("cut in the colour table"), Entry::File, good.left(300), false},
        {QStringLiteral("cut in the picture data"), Entry::File, good.left(good.size() / 2), true},
        {QStringLiteral("random bytes"), Entry::File, randomBytes(64 * 1024), false},
        {QStringLiteral("random bytes after a signature"), Entry::File, "GIF89a" + randomBytes(64 * 1024), false},
        {QStringLiteral("declares 65535 x 65535"), Entry::File, GifWriter::declaring(65535, 65535, 65535, 65535),
         false},
        {QStringLiteral("huge frame, no screen"), Entry::File, GifWriter::declaring(0, 0, 65535, 65535), false},
        {QStringLiteral("huge frame on a small screen"), Entry::File, GifWriter::declaring(10, 10, 65535, 65535), true},
        {QStringLiteral("animated, 120 frames"), Entry::File, animatedGif(120), true},
        {QStringLiteral("folder named like a picture"), Entry::Folder, QByteArray(), false},
        {QStringLiteral("FIFO named like a picture"), Entry::Fifo, QByteArray(), false},
    };
}

long peakMemoryKB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class BrokenPicturesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> m_fixture;
    QList<BrokenKind> m_kinds;
    long m_baselineKB = 0;
    qint64 m_slowestMs = 0;
    int m_selections = 0;

    QLabel *label(const QString &name) const { return m_fixture->find<QLabel>(qPrintable(name)); }

    // Runs one user action on the list and checks it came back in time.
    template <typename Action>
    void timed(const QString &what, Action action)
    {
        QElapsedTimer timer;
        timer.start();
        action();
        const qint64 ms = timer.elapsed();
        m_slowestMs = qMax(m_slowestMs, ms);
        ++m_selections;
        QVERIFY2(ms < SelectionLimitMs, qPrintable(QStringLiteral("%1 took %2 ms").arg(what).arg(ms)));
    }

    void writeEntries(const QString &thumbs, const BrokenKind &kind)
    {
        for (int k = 1; k <= 9; ++k) {
            const QString path = thumbs + u'/' + pictureFileName(kind.name, k);
            switch (kind.entry) {
            case Entry::File: {
                QFile file(path);
                QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
                QCOMPARE(file.write(kind.bytes), kind.bytes.size());
                break;
            }
            case Entry::Folder:
                QVERIFY(QDir().mkpath(path));
                break;
            case Entry::Fifo:
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
                break;
            }
        }
    }

    static QString pictureFileName(const QString &name, int k)
    {
        return name + QStringLiteral("_p") + QString::number(k) + QStringLiteral(".gif");
    }

    void checkShown(int row)
    {
        const ProjectInfo &shown = m_fixture->catalogue.at(qint16(row));
        QCOMPARE(m_fixture->selectedRow(), row);
        QCOMPARE(m_fixture->line("text_name")->text(), shown.Name);
        QCOMPARE(m_fixture->line("text_location")->text(), shown.Location);
        QCOMPARE(m_fixture->line("text_short")->text(), shown.ShortDesc);
        QCOMPARE(m_fixture->longText()->toPlainText(), shown.LongDesc);

        QLabel *image1 = label(QStringLiteral("Image1"));
        QVERIFY(!image1->pixmap().isNull());
        QCOMPARE(image1->size(), image1->pixmap().size());
        const BrokenKind *kind = row == 0 ? nullptr : &m_kinds.at(row - 1);
        const bool pictures = !kind || kind->decodable;
        if (pictures) {
            // Centred: the two margins differ by at most the odd pixel.
            const QRect placed = image1->geometry();
            QVERIFY(qAbs((Frame.right() - placed.right()) - (placed.left() - Frame.left())) <= 1);
            QVERIFY(qAbs((Frame.bottom() - placed.bottom()) - (placed.top() - Frame.top())) <= 1);
        } else {
            QCOMPARE(image1->geometry(), Frame);
            QCOMPARE(imageOf(image1->pixmap()), imageOf(PicturePreview::builtInImage()));
        }
        for (int i = 1; i <= 8; ++i) {
            QLabel *box = label(QStringLiteral("Image_small%1").arg(i));
            QCOMPARE(box->isVisible(), pictures);
            if (pictures)
                QVERIFY(!box->pixmap().isNull());
        }
        // Plain files count, shown or not; what is not a plain file is no picture at all.
        const bool files = !kind || kind->entry == Entry::File;
        QCOMPARE(shown.Pics, qint16(files ? 9 : 1));
    }

private slots:
    void initTestCase()
    {
        m_kinds = brokenKinds();
        QStringList names{QStringLiteral("Good")};
        for (const BrokenKind &kind : m_kinds)
            names.append(kind.name);
        m_fixture = std::make_unique<WindowFixture>(projectsNamed(names));
        const QString thumbs = m_fixture->path(QStringLiteral("Thumbs"));
        QVERIFY(QDir().mkpath(thumbs));
        for (int k = 1; k <= 9; ++k) {
            QFile file(thumbs + u'/' + pictureFileName(QStringLiteral("Good"), k));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(GifWriter::solid(k == 1 ? 120 : 30, k == 1 ? 90 : 20, qRgb(20 * k, 100, 100)));
        }
        for (const BrokenKind &kind : m_kinds)
            writeEntries(thumbs, kind);
        QVERIFY(m_fixture->messages.texts.isEmpty());
        m_baselineKB = peakMemoryKB();
    }

    void cleanupTestCase() { m_fixture.reset(); }

    void clickingEachProject_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < m_kinds.size(); ++i)
            QTest::newRow(qPrintable(m_kinds.at(i).name)) << i + 1;
        QTest::newRow("good pictures after the broken ones") << 0;
    }

    void clickingEachProject()
    {
        QFETCH(int, row);
        timed(QStringLiteral("click on row %1").arg(row), [&] { m_fixture->clickRow(row); });
        checkShown(row);
    }

    void walkingTheListByKeys()
    {
        QAbstractItemView *list = m_fixture->list();
        for (int round = 0; round < Rounds; ++round) {
            timed(QStringLiteral("Home"), [&] { QTest::keyClick(list, Qt::Key_Home); });
            checkShown(0);
            for (int row = 1; row <= m_kinds.size(); ++row) {
                timed(QStringLiteral("Down to row %1").arg(row), [&] { QTest::keyClick(list, Qt::Key_Down); });
                checkShown(row);
            }
            for (int row = m_kinds.size() - 1; row >= 0; --row) {
                timed(QStringLiteral("Up to row %1").arg(row), [&] { QTest::keyClick(list, Qt::Key_Up); });
                checkShown(row);
            }
        }
    }

    void memoryStaysBounded()
    {
        const long grown = peakMemoryKB() - m_baselineKB;
        qInfo("%d selections, slowest %lld ms; peak memory grew by %ld KB", m_selections, m_slowestMs, grown);
        QVERIFY2(grown < MemoryGrowthLimitKB, qPrintable(QStringLiteral("peak memory grew by %1 KB").arg(grown)));
    }

    // After all of it, an edit typed into the window is stored and saved as with any project.
    void windowStillWorks()
    {
        const int row = int(m_kinds.size()); // the last broken kind
        m_fixture->clickRow(row);
        m_fixture->type("text_short", QStringLiteral("  still editable  "));
        m_fixture->click("cmd_save");
        QVERIFY(m_fixture->messages.texts.isEmpty());
        QCOMPARE(m_fixture->catalogue.at(qint16(row)).ShortDesc, QStringLiteral("still editable"));
        QCOMPARE(readFile(m_fixture->projectsPath()), CatalogueFormat::write(m_fixture->catalogue.Projects()));
        m_fixture->clickRow(row - 1);
        m_fixture->clickRow(row);
        QCOMPARE(m_fixture->line("text_short")->text(), QStringLiteral("still editable"));
    }

    // A file of a few kilobytes can declare a 4000 x 4000 screen, 64 MB once decoded; nine of them
    // must not be decoded, let alone held at once. They count, but are not shown.
    void tinyFilesWithHugeCanvases()
    {
        const QString thumbs = m_fixture->path(QStringLiteral("Thumbs"));
        const QByteArray canvas = GifWriter::declaring(4000, 4000, 4, 4);
        for (int k = 1; k <= 9; ++k) {
            QFile file(thumbs + u'/' + pictureFileName(QStringLiteral("Good"), k));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(canvas), canvas.size());
        }
        m_fixture->clickRow(1);
        const long before = peakMemoryKB();
        QElapsedTimer timer;
        timer.start();
        m_fixture->clickRow(0);
        const qint64 ms = timer.elapsed();
        QCOMPARE(m_fixture->selectedRow(), 0);
        QLabel *image1 = label(QStringLiteral("Image1"));
        QCOMPARE(image1->geometry(), Frame);
        QCOMPARE(imageOf(image1->pixmap()), imageOf(PicturePreview::builtInImage()));
        for (int i = 1; i <= 8; ++i)
            QVERIFY(!label(QStringLiteral("Image_small%1").arg(i))->isVisible());
        QCOMPARE(m_fixture->catalogue.at(0).Pics, qint16(9));
        const long grown = peakMemoryKB() - before;
        qInfo("%d files of %d bytes: selection took %lld ms, peak memory grew by %ld KB", 9, int(canvas.size()), ms,
              grown);
        QVERIFY2(grown < MemoryGrowthLimitKB, qPrintable(QStringLiteral("peak memory grew by %1 KB").arg(grown)));
    }
};

QTEST_MAIN(BrokenPicturesTest)
#include "tst_brokenpictures.moc"
