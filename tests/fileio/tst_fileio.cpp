#include "chunkedoutput.h"
#include "codepage.h"
#include "plainfile.h"
#include "safefile.h"
#include "testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

int openDescriptors()
{
    return int(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size());
}

} // namespace

// Text files in general: the code page, the buffered output, the safe replace and the plain file.
class TestFileIo : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("file.txt"));
        QFile::remove(m_path);
    }

    void everyByteSurvivesWindows1252()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = CodePage::decodeWindows1252(all.constData(), all.size());
        QCOMPARE(text.size(), 256);
        QCOMPARE(text.at(0xE9), QChar(u'é'));
        QCOMPARE(text.at(0x80), QChar(u'€'));
        QCOMPARE(text.at(0x81), QChar(0x81));
        QCOMPARE(text.at(0x9D), QChar(0x9D));
        QByteArray back(text.size(), Qt::Uninitialized);
        QCOMPARE(CodePage::toWindows1252(text, back.data()), text.size());
        QCOMPARE(back, all);
    }

    void referencesForPages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("plain") << QStringLiteral("<b>A & B</b>") << QByteArray("<b>A & B</b>");
        QTest::newRow("Windows-1252") << QStringLiteral("café €") << QByteArray("caf\xE9 \x80");
        QTest::newRow("omega") << QStringLiteral("Ω") << QByteArray("&#937;");
        QTest::newRow("two characters") << QStringLiteral("日本") << QByteArray("&#26085;&#26412;");
        QTest::newRow("above U+FFFF") << QStringLiteral("a🌉b") << QByteArray("a&#127753;b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD83C)) + u'b' << QByteArray("&#55356;b");
        // Characters the byte table lacks, amid enough text to be encoded sixteen at a time.
        QTest::newRow("C1 control amid text") << QString(17, u'x') + QChar(0x85) + QString(20, u'y')
                                              << QByteArray(17, 'x') + "&#133;" + QByteArray(20, 'y');
        QTest::newRow("undefined byte amid text") << QString(17, u'x') + QChar(0x81) + QString(20, u'y')
                                                  << QByteArray(17, 'x') + "\x81" + QByteArray(20, 'y');
        QTest::newRow("beyond Latin-1 amid text") << QString(20, u'x') + QChar(0x0180) + QChar(0xFF41)
                + QString(20, u'y') << QByteArray(20, 'x') + "&#384;&#65345;" + QByteArray(20, 'y');

        // The output buffer holds a megabyte: characters and references that straddle its end.
        constexpr qsizetype Chunk = 1 << 20;
        for (qsizetype before : {Chunk - 1, Chunk, Chunk + 1}) {
            const QString padding(before - 1, u'x');
            const QByteArray bytes(before - 1, 'x');
            QTest::addRow("Omega after %lld bytes", before) << padding + u'Ω' << bytes + "&#937;";
            QTest::addRow("emoji after %lld bytes", before)
                << padding + QStringLiteral("🌉é") << bytes + "&#127753;\xE9";
            QTest::addRow("euro after %lld bytes", before) << padding + QStringLiteral("€€") << bytes + "\x80\x80";
        }
    }

    void referencesForPages()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        ChunkedOutput out(buffer);
        out.appendWindows1252WithReferences(text);
        QVERIFY(out.finish());
        QCOMPARE(buffer.data(), bytes);
    }

    void replacedFilesAreLetGo_data()
    {
        QTest::addColumn<bool>("writes");
        QTest::newRow("replaced") << true;
        QTest::newRow("write failed") << false;
    }

    // The file being replaced is held until its replacement is in place; a hold never let go
    // would keep its disk space taken until the program ends.
    void replacedFilesAreLetGo()
    {
        QFETCH(bool, writes);
        writeFile(m_path, "old");
        const int before = openDescriptors();
        for (int i = 0; i < 20; ++i) {
            SafeFile file(m_path);
            QCOMPARE(file.open() && file.commit(file.device().write("new", 3) == 3 && writes), writes);
        }
        QTRY_COMPARE(openDescriptors(), before);
        QCOMPARE(readFile(m_path), writes ? QByteArray("new") : QByteArray("old"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"file.txt"});
    }

    // Whatever stands at the path, opening it for reading answers at once and says why it cannot;
    // a FIFO would otherwise wait for a writer for ever.
    void plainFileOpensOnlyPlainFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QString>("reason");

        QTest::newRow("plain file") << "file" << true << false << QString();
        QTest::newRow("link to a plain file") << "link" << true << false << QString();
        QTest::newRow("nothing") << "none" << false << true << "No such file or directory.";
        QTest::newRow("link to nowhere") << "dangling" << false << false << "No such file or directory.";
        QTest::newRow("folder") << "folder" << false << false << "It is a folder, not a file.";
        QTest::newRow("FIFO") << "fifo" << false << false << "file.txt is not a plain file.";
        QTest::newRow("link to a device") << "device" << false << false << "file.txt is not a plain file.";
    }

    void plainFileOpensOnlyPlainFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, opened);
        QFETCH(bool, missing);
        QFETCH(QString, reason);
        const QByteArray path = QFile::encodeName(m_path);
        const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere.txt"));
        QFile::remove(elsewhere);
        if (kind == QLatin1String("file"))
            writeFile(m_path, "text");
        else if (kind == QLatin1String("link"))
            writeFile(elsewhere, "text");
        if (kind == QLatin1String("link") || kind == QLatin1String("dangling"))
            QVERIFY(QFile::link(elsewhere, m_path));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(m_path));
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (kind == QLatin1String("device"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), m_path));

        QElapsedTimer timer;
        timer.start();
        PlainFile file(m_path);
        QCOMPARE(file.open(), opened);
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(file.isMissing(), missing);
        QCOMPARE(file.errorString(), reason);
        if (opened)
            QCOMPARE(file.file().readAll(), QByteArray("text"));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().rmdir(m_path));
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_APPLESS_MAIN(TestFileIo)
#include "tst_fileio.moc"
