#include "chunkedoutput.h"
#include "codepage.h"
#include "exclusiverename.h"
#include "plainfile.h"
#include "safefile.h"
#include "testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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
        QTest::newRow("Windows-1252") << QStringLiteral("café €") << QByteArray("caf&#233; &#8364;");
        QTest::newRow("omega") << QStringLiteral("Ω") << QByteArray("&#937;");
        QTest::newRow("two characters") << QStringLiteral("日本") << QByteArray("&#26085;&#26412;");
        QTest::newRow("above U+FFFF") << QStringLiteral("a🌉b") << QByteArray("a&#127753;b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD83C)) + u'b' << QByteArray("&#55356;b");
        // Characters the byte table lacks, amid enough text to be encoded sixteen at a time.
        QTest::newRow("C1 control amid text") << QString(17, u'x') + QChar(0x85) + QString(20, u'y')
                                              << QByteArray(17, 'x') + "&#133;" + QByteArray(20, 'y');
        QTest::newRow("undefined byte amid text") << QString(17, u'x') + QChar(0x81) + QString(20, u'y')
                                                  << QByteArray(17, 'x') + "&#129;" + QByteArray(20, 'y');
        QTest::newRow("beyond Latin-1 amid text") << QString(20, u'x') + QChar(0x0180) + QChar(0xFF41)
                + QString(20, u'y') << QByteArray(20, 'x') + "&#384;&#65345;" + QByteArray(20, 'y');

        // The output buffer holds a megabyte: characters and references that straddle its end.
        constexpr qsizetype Chunk = 1 << 20;
        for (qsizetype before : {Chunk - 1, Chunk, Chunk + 1}) {
            const QString padding(before - 1, u'x');
            const QByteArray bytes(before - 1, 'x');
            QTest::addRow("Omega after %lld bytes", before) << padding + u'Ω' << bytes + "&#937;";
            QTest::addRow("emoji after %lld bytes", before)
                << padding + QStringLiteral("🌉é") << bytes + "&#127753;&#233;";
            QTest::addRow("euro after %lld bytes", before)
                << padding + QStringLiteral("€€") << bytes + "&#8364;&#8364;";
        }
    }

    void referencesForPages()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        ChunkedOutput out(buffer);
        out.appendAsciiWithReferences(text);
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
    // a FIFO would otherwise wait for a writer for ever. Only a plain file is replaced, and through
    // a link only when the link is the user's or its folder owner's.
    void plainFileOpensOnlyPlainFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("refusal"); // why it is not replaced; empty when it is

        const QString left = QStringLiteral("; it was left as it is.");
        QTest::newRow("plain file") << "file" << true << false << QString() << QString();
        QTest::newRow("link to a plain file") << "link" << true << false << QString() << QString();
        QTest::newRow("nothing") << "none" << false << true << "No such file or directory." << QString();
        QTest::newRow("link to nowhere") << "dangling" << false << false << "No such file or directory."
                                         << "file.txt is a link to a file that does not exist" + left;
        QTest::newRow("folder") << "folder" << false << false << "It is a folder, not a file."
                                << "file.txt is not a plain file.";
        QTest::newRow("FIFO") << "fifo" << false << false << "file.txt is not a plain file."
                              << "file.txt is not a plain file.";
        QTest::newRow("link to a device") << "device" << false << false << "file.txt is not a plain file."
                                          << "file.txt is a link to something that is not a plain file" + left;
        // Root at work in a shared folder where another user left a link.
        QTest::newRow("another user's link in a shared folder")
            << "planted" << true << false << QString() << "file.txt is a link owned by another user" + left;
        QTest::newRow("link of the folder's owner") << "owners" << true << false << QString() << QString();
        QTest::newRow("folder owner's link to root's file")
            << "aimed" << true << false << QString() << "file.txt is a link owned by another user" + left;
        QTest::newRow("another user's folder link on the way")
            << "on the way" << true << false << QString()
            << "file.txt lies behind a link owned by another user, " + m_dir.filePath("sub") + left;
    }

    void plainFileOpensOnlyPlainFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, opened);
        QFETCH(bool, missing);
        QFETCH(QString, reason);
        QFETCH(QString, refusal);
        const bool onTheWay = kind == QLatin1String("on the way");
        const QString target = onTheWay ? m_dir.filePath("sub/file.txt") : m_path;
        const QByteArray path = QFile::encodeName(onTheWay ? m_dir.filePath("sub") : m_path);
        const QString elsewhere = m_dir.filePath(onTheWay ? "real/file.txt" : "elsewhere.txt");
        QFile::remove(elsewhere);
        const bool othersLink = kind == QLatin1String("planted") || kind == QLatin1String("owners")
            || kind == QLatin1String("aimed") || onTheWay;
        if (othersLink && !runningAsRoot())
            QSKIP("Only root may give a link to another user");
        if (othersLink)
            SKIP_IN_PORTABLE_BUILD("the rule for links of other users");
        if (kind == QLatin1String("file"))
            writeFile(m_path, "text");
        else if (kind == QLatin1String("link") || othersLink)
            writeFile(elsewhere, "text");
        if (kind == QLatin1String("link") || kind == QLatin1String("dangling") || othersLink)
            QVERIFY(QFile::link(onTheWay ? QStringLiteral("real") : elsewhere, QFile::decodeName(path)));
        const QByteArray folder = QFile::encodeName(m_dir.path());
        const uid_t nobody = getpwnam("nobody")->pw_uid;
        if (othersLink) {
            QVERIFY(::lchown(path.constData(), nobody, gid_t(-1)) == 0);
            QVERIFY(::chmod(folder.constData(), 01777) == 0);
        }
        if (kind == QLatin1String("owners") || kind == QLatin1String("aimed"))
            QVERIFY(::chown(folder.constData(), nobody, gid_t(-1)) == 0);
        if (kind == QLatin1String("owners"))
            QVERIFY(giveToNobody(elsewhere));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(m_path));
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (kind == QLatin1String("device"))
            // A device of its own where it may make one: a fault here must not replace the system's.
            QVERIFY(QFile::link(::mknod(QFile::encodeName(elsewhere).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0
                                    ? elsewhere
                                    : QStringLiteral("/dev/null"),
                                m_path));

        QElapsedTimer timer;
        timer.start();
        PlainFile file(target);
        QCOMPARE(file.open(), opened);
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(file.isMissing(), missing);
        QCOMPARE(file.errorString(), reason);
        if (opened)
            QCOMPARE(file.file().readAll(), QByteArray("text"));

        const bool link = QFileInfo(m_path).isSymLink();
        const QByteArray linked = readFile(elsewhere);
        SafeFile replacement(target);
        const bool replaced = replacement.open() && replacement.commit(replacement.device().write("new", 3) == 3);
        QCOMPARE(replacement.errorString(), refusal);
        QCOMPARE(replacement.refused(), !replaced);
        QCOMPARE(QFileInfo(m_path).isSymLink(), link);
        QCOMPARE(QFileInfo(target).isFile(), replaced || othersLink);
        QCOMPARE(readFile(replaced && !link ? m_path : elsewhere), replaced ? QByteArray("new") : linked);
        QVERIFY(::chown(folder.constData(), 0, gid_t(-1)) == 0 && ::chmod(folder.constData(), 0700) == 0);
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().rmdir(m_path));
        if (onTheWay)
            QVERIFY(QFile::remove(m_dir.filePath("sub")) && QDir(m_dir.filePath("real")).removeRecursively());
    }

    // Only the version of a file that was seen is replaced unasked: the bytes are compared whenever
    // the status cannot prove them unchanged, as when a clock that ticks in seconds left it as seen.
    void replacesOnlyTheVersionSeen_data()
    {
        QTest::addColumn<bool>("sameTick");
        QTest::newRow("same size, times put back") << false;
        QTest::newRow("same size, within the clock's tick") << true;
    }

    void replacesOnlyTheVersionSeen()
    {
        QFETCH(bool, sameTick);
        const QByteArray path = QFile::encodeName(m_path);
        writeFile(m_path, "seen");
        FileIdentity seen = FileIdentity::current(m_path);
        struct stat info;
        QVERIFY(::stat(path.constData(), &info) == 0);
        writeFile(m_path, "them");
        const struct timespec times[2] = {info.st_atim, info.st_mtim};
        QVERIFY(::utimensat(AT_FDCWD, path.constData(), times, 0) == 0 && ::stat(path.constData(), &info) == 0);
        ContentHash hash;
        hash.add("seen", 4);
        if (sameTick)
            seen = FileIdentity::of(FileStatus::of(m_path).value(), FileIdentity::now(), hash.value());
        SafeFile file(m_path);
        QVERIFY(file.open() && !file.mayReplace(seen));
    }

    // A picture renamed with its project never takes the place of a file that bears the new name.
    void renameNeverReplaces_data()
    {
        QTest::addColumn<QString>("target"); // what bears the new name: "", "file" or "dangling"
        QTest::addColumn<QString>("refusal");
        QTest::newRow("free name") << ""
                                   << "";
        QTest::newRow("a file there") << "file"
                                      << "new.gif exists already.";
        QTest::newRow("a link to nowhere there") << "dangling"
                                                 << "new.gif exists already.";
    }

    void renameNeverReplaces()
    {
        QFETCH(QString, target);
        QFETCH(QString, refusal);
        const QString to = m_dir.filePath(QStringLiteral("new.gif"));
        QFile::remove(to);
        writeFile(m_path, "picture");
        if (target == "file")
            writeFile(to, "theirs");
        else if (target == "dangling")
            QVERIFY(QFile::link(m_dir.filePath("nowhere"), to));
        QCOMPARE(ExclusiveRename::rename(m_path, to), refusal);
        QCOMPARE(readFile(m_path), refusal.isEmpty() ? QByteArray("<unreadable>") : QByteArray("picture"));
        QCOMPARE(readFile(to), target == "file" ? "theirs" : target.isEmpty() ? "picture" : "<unreadable>");
        QFile::remove(to);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_APPLESS_MAIN(TestFileIo)
#include "tst_fileio.moc"
