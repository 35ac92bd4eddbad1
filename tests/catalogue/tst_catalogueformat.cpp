#include "catalogue.h"
#include "catalogueformat.h"
#include "codepage.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>

namespace {

using Projects = QList<ProjectInfo>;

ProjectInfo record(const QString &name, const QString &location = {}, const QString &shortDesc = {},
                   const QString &longDesc = {}, qint16 pics = 0)
{
    return ProjectInfo{name, location, shortDesc, longDesc, pics};
}

QByteArray golden(const char *name)
{
    QFile file(QStringLiteral(TEST_DATA_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", name);
    return file.readAll();
}

// This process's resident size (VmRSS), or its peak (VmHWM) since "5" was written to clear_refs.
double residentMegabytes(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    return text.mid(text.indexOf(field + ':') + field.size() + 1, 30).simplified().split(' ').first().toDouble() / 1024;
}

QString lines(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

class TestCatalogueFormat : public QObject
{
    Q_OBJECT

private slots:
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Projects>("expected");

        QTest::newRow("empty file") << QString() << Projects{};
        QTest::newRow("first run") << lines({"\"Name:\",\"New\"", "\"Location:\",\"New\"",
                                             "\"Short Description:\",\"New\"", "\"Long Description:\",\"New\"",
                                             "\"Total Pictures:\",1"})
                                   << Projects{record("New", "New", "New", "New", 1)};
        QTest::newRow("commas and line breaks inside quotes")
            << lines({"\"Name:\",\"A, B\"", "\"Long Description:\",\"one, two\r\n\r\nthree\"", "\"Total Pictures:\",2"})
            << Projects{record("A, B", {}, {}, "one, two\r\n\r\nthree", 2)};
        QTest::newRow("missing count keeps 0")
            << lines({"\"Name:\",\"A\"", "\"Location:\",\"L\""}) << Projects{record("A", "L")};
        QTest::newRow("unknown key skipped")
            << lines({"\"Name:\",\"A\"", "\"Colour:\",\"red\"", "\"Location:\",\"L\""}) << Projects{record("A", "L")};
        QTest::newRow("key in other case starts no record")
            << lines({"\"Name:\",\"A\"", "\"name:\",\"B\"", "\"Location:\",\"L\""}) << Projects{record("A", "L")};
        QTest::newRow("later value wins, any order")
            << lines({"\"Name:\",\"A\"", "\"Total Pictures:\",3", "\"Location:\",\"x\"", "\"Location:\",\"y\"",
                      "\"Name:\",\"B\""})
            << Projects{record("A", "y", {}, {}, 3), record("B")};
        QTest::newRow("spaces before items")
            << lines({"  \"Name:\",  \"A\"", "   \"Total Pictures:\",  5"}) << Projects{record("A", {}, {}, {}, 5)};
        QTest::newRow("blank lines") << QStringLiteral("\r\n\r\n\"Name:\",\"A\"\r\n\r\n\r\n\"Location:\",\"L\"\r\n\r\n")
                                     << Projects{record("A", "L")};
        QTest::newRow("key line before the first record")
            << lines({"\"Location:\",\"orphan\"", "\"Name:\",\"A\""}) << Projects{record("A")};
        QTest::newRow("count not a number")
            << lines({"\"Name:\",\"A\"", "\"Total Pictures:\",many"}) << Projects{record("A")};
        QTest::newRow("count outside 16 bits")
            << lines({"\"Name:\",\"A\"", "\"Total Pictures:\",40000"}) << Projects{record("A")};
        QTest::newRow("negative count") << lines({"\"Name:\",\"A\"", "\"Total Pictures:\",-7"})
                                        << Projects{record("A", {}, {}, {}, -7)};
        QTest::newRow("file ends inside a value")
            << QStringLiteral("\"Name:\",\"A\"\r\n\"Long Description:\",\"half\r\nway")
            << Projects{record("A", {}, {}, "half\r\nway")};
        QTest::newRow("file ends without line end")
            << QStringLiteral("\"Name:\",\"A\"\r\n\"Total Pictures:\",2") << Projects{record("A", {}, {}, {}, 2)};
        QTest::newRow("line with one item") << lines({"\"Name:\"", "\"Location:\",\"L\""}) << Projects{record({}, "L")};
        QTest::newRow("bare items") << lines({"Name:,A", "Location:,\"L\""}) << Projects{record("A", "L")};
        QTest::newRow("NUL bytes kept") << lines({QStringLiteral("\"Name:\",\"a") + QChar(0) + QStringLiteral("b\"")})
                                        << Projects{record(QStringLiteral("a") + QChar(0) + QStringLiteral("b"))};
        QTest::newRow("line feeds only") << QStringLiteral("\"Name:\",\"A\"\n\"Location:\",\"L\"\n")
                                         << Projects{record("A", "L")};
        QTest::newRow("quotes inside a value")
            << lines({"\"Name:\",\"The \"Old\" Mill\"", "\"Short Description:\",\"say \"hi\", then go\"",
                      "\"Total Pictures:\",1"})
            << Projects{record("The \"Old\" Mill", {}, "say \"hi\", then go", {}, 1)};
        QTest::newRow("quote ending a line inside a long description")
            << lines({"\"Name:\",\"A\"", "\"Long Description:\",\"He said \"no\"\r\nthen \"yes\"\"",
                      "\"Total Pictures:\",1"})
            << Projects{record("A", {}, {}, "He said \"no\"\r\nthen \"yes\"", 1)};
        QTest::newRow("value that is only a quote")
            << lines({"\"Name:\",\"\"\"", "\"Location:\",\"L\""}) << Projects{record("\"", "L")};
        // Files from other editors: a bare key after a quoted value starts a new pair.
        QTest::newRow("unquoted keys after a quoted value")
            << lines({"\"Name:\",\"A\"", "Location:,\"LA\"", "Name:,\"B\"", "Total Pictures:,3"})
            << Projects{record("A", "LA"), record("B", {}, {}, {}, 3)};
        QTest::newRow("text after the closing quote is dropped")
            << lines({"\"Name:\",\"A\"", "\"Location:\",\"Main St\" (north)", "\"Short Description:\",\"S\""})
            << Projects{record("A", "Main St", "S")};
        QTest::newRow("value without its closing quote ends with its line")
            << lines({"\"Name:\",\"A", "\"Location:\",\"L\""}) << Projects{record("A", "L")};
        QTest::newRow("stray line after a value")
            << lines({"\"Name:\",\"A\"", "stray", "\"Location:\",\"L\""}) << Projects{record("A", "L")};
        QTest::newRow("value without its closing quote before bare keys")
            << lines({"\"Name:\",\"A", "Location:,L", "Total Pictures:,3"}) << Projects{record("A", "L", {}, {}, 3)};
        QTest::newRow("blanks between a quoted key and its comma")
            << lines({"\"Name:\",\"A\"", "\"Location:\" ,\"L\""}) << Projects{record("A", "L")};
        QTest::newRow("UTF-8 byte-order mark")
            << QChar(0xFEFF) + lines({"\"Name:\",\"Caf\u00e9\"", "\"Total Pictures:\",1"})
            << Projects{record(QStringLiteral("Caf\u00e9"), {}, {}, {}, 1)};
        QTest::newRow("UTF-8 of two, three and four bytes")
            << lines({"\"Name:\",\"\u00e9 \u65e5 \U0001F309\""})
            << Projects{record(QStringLiteral("\u00e9 \u65e5 \U0001F309"))};
    }

    void reading()
    {
        QFETCH(QString, text);
        QFETCH(Projects, expected);
        const QByteArray bytes = text.toUtf8();
        const CatalogueFormat::Parsed parsed = CatalogueFormat::read(bytes);
        QCOMPARE(parsed.projects, expected);
        QCOMPARE(parsed.droppedRecords, 0);

        // Read from a file in small blocks, pairs and values are cut at every possible place.
        for (qint64 blockSize : {1, 2, 3, 7, 64}) {
            QBuffer device;
            device.setData(bytes);
            QVERIFY(device.open(QIODevice::ReadOnly));
            const std::optional<CatalogueFormat::Parsed> inBlocks = CatalogueFormat::read(device, blockSize);
            QVERIFY(inBlocks);
            QCOMPARE(inBlocks->projects, expected);
        }
    }

    void goldenFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Projects>("projects");

        QTest::newRow("first run, 110 bytes")
            << golden("first_run.txt") << Projects{record("New", "New", "New", "New", 1)};
        QTest::newRow("three projects, Windows-1252")
            << golden("three_projects.txt")
            << Projects{record("Bridge 12", "Quay, north side", "Footbridge, steel",
                               "First paragraph, with a comma.\r\n\r\nSecond paragraph.\r\n", 4),
                        record({}, {}, {}, {}, 0),
                        record(QStringLiteral("Café €"), "  spaced  ", "<b>bold</b> & more", "tab\there", -3)};
        QTest::newRow("UTF-8 when Windows-1252 cannot hold it")
            << golden("utf8_project.txt") << Projects{record(QStringLiteral("Ω 日本 🌉 café"), {}, {}, {}, 2)};
        QTest::newRow("empty catalogue, 0 bytes") << QByteArray() << Projects{};
    }

    void goldenFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(Projects, projects);
        QCOMPARE(CatalogueFormat::write(projects), file);
        QCOMPARE(CatalogueFormat::read(file).projects, projects);
    }

    void roundTrip_data()
    {
        QTest::addColumn<Projects>("projects");
        QTest::addColumn<int>("unkept"); // the first record that does not come back, -1 for none

        QTest::newRow("commas and paragraphs")
            << Projects{record("A,B", "x, y", ",", "a,\r\nb,\r\n\r\n,c", 9), record("C")} << -1;
        QTest::newRow("quotes") << Projects{record("\"quoted\"", "a\"b", "say \"hi\", then",
                                                   "line \"one\"\r\n\"two\" here\r\nend\"", 2)}
                                << -1;
        QTest::newRow("lines that start like key lines")
            << Projects{record("A", {}, {}, "Built in 1890.\r\nName:, the old mill\r\nRestored 2001.", 1),
                        record("B", {}, "He said:\r\n\"stop\", then left", "\r\nTotal Pictures:, five of them\n\t\r\n",
                               2)}
            << -1;
        QTest::newRow("value ending in a line break")
            << Projects{record("A", {}, {}, "text\r\n", 1), record("B")} << -1;
        QTest::newRow("outside Windows-1252") << Projects{record(
            QStringLiteral("Ω"), QStringLiteral("日本"), QStringLiteral("🌉 bridge"), QStringLiteral("é and ω"), 3)}
                                              << -1;
        QTest::newRow("every Windows-1252 character") << Projects{record([] {
            QByteArray all;
            for (int b = 1; b < 256; ++b)
                if (b != '"' && b != '\r' && b != '\n')
                    all.append(char(b));
            return CodePage::decodeWindows1252(all.constData(), all.size());
        }())} << -1;
        QTest::newRow("Windows-1252 text that looks like UTF-8")
            << Projects{record(QStringLiteral("Ã©"), QStringLiteral("Â€"), QStringLiteral("ä"))} << -1;
        // Past the first megabyte the writer has already handed Windows-1252 bytes to the file
        // when it meets the character that needs UTF-8.
        QTest::newRow("UTF-8 needed only at the end of a large file") << [] {
            Projects many(3000, record(QStringLiteral("café"), {}, {}, QString(400, u'x'), 2));
            many.append(record(QStringLiteral("Ω")));
            return many;
        }() << -1;
        QTest::newRow("text that looks like UTF-8 across the writer's megabyte") << [] {
            const QByteArray key = "\"Long Description:\",\"";
            const QByteArray empty = CatalogueFormat::write(Projects{record("A")});
            const qsizetype before = empty.indexOf(key) + key.size();
            return Projects{record("A", {}, {}, QString((1 << 20) - before - 1, u'x') + QStringLiteral("Ã©"))};
        }() << -1;
        QTest::newRow("value starting with U+FEFF") << Projects{record(QChar(0xFEFF) + QStringLiteral("A"))} << -1;
        QTest::newRow("C1 control amid text")
            << Projects{record(QString(17, u'x') + QChar(0x85) + QString(20, u'y'))} << -1;
        QTest::newRow("undefined byte amid text")
            << Projects{record(QString(17, u'x') + QChar(0x8D) + QString(20, u'y'))} << -1;
        // The format has no escape: these two shapes are cut at the line that looks like a key line.
        QTest::newRow("a line starting with a quoted key")
            << Projects{record("A"), record("B", {}, {}, "Old mill.\r\n\"Short Description:\",\"x\"", 1)} << 1;
        QTest::newRow("a quoted line before a line starting like a key line")
            << Projects{record("A", {}, "see \"here\"\r\n\r\n \"note\" ,then")} << 0;
        QTest::newRow("quoted lines that cannot end a value")
            << Projects{record("A", "\"Name:\" alone\r\n\"x\" y,", "a\"\r\nName: , b", "q\"\r\n\"Location:\"")} << -1;
        QTest::newRow("extreme counts") << Projects{record("A", {}, {}, {}, 32767), record("B", {}, {}, {}, -32768)}
                                        << -1;
    }

    void roundTrip()
    {
        QFETCH(Projects, projects);
        QFETCH(int, unkept);
        const QByteArray bytes = CatalogueFormat::write(projects);
        QCOMPARE(CatalogueFormat::firstRecordNotComingBack(projects), unkept);
        if (unkept >= 0) {
            QVERIFY(CatalogueFormat::read(bytes).projects.value(unkept) != projects.at(unkept));
            return;
        }
        QCOMPARE(CatalogueFormat::read(bytes).projects, projects);
        QCOMPARE(CatalogueFormat::write(CatalogueFormat::read(bytes).projects), bytes);
    }

    void filesFromOtherEditors_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("saved");

        const QString text =
            lines({"\"Name:\",\"Caf\u00e9 \u65e5\"", "\"Location:\",\"L\"", "\"Short Description:\",\"\"",
                   "\"Long Description:\",\"\"", "\"Total Pictures:\",2"});
        const QByteArray withMark = "\xEF\xBB\xBF" + text.toUtf8();
        const auto utf16 = [&text](QStringEncoder::Encoding encoding) {
            QStringEncoder encode(encoding, QStringEncoder::Flag::WriteBom);
            return QByteArray(encode(text));
        };
        QTest::newRow("UTF-8 with a byte-order mark saves back identical") << withMark << withMark;
        QTest::newRow("UTF-16 LE saves as UTF-8 with a mark") << utf16(QStringEncoder::Utf16LE) << withMark;
        QTest::newRow("UTF-16 BE saves as UTF-8 with a mark") << utf16(QStringEncoder::Utf16BE) << withMark;
    }

    void filesFromOtherEditors()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, saved);
        const Projects expected{record(QStringLiteral("Caf\u00e9 \u65e5"), "L", {}, {}, 2)};
        const CatalogueFormat::Parsed parsed = CatalogueFormat::read(file);
        QCOMPARE(parsed.projects, expected);
        QCOMPARE(parsed.encoding, FileEncoding::Utf8WithByteOrderMark);
        QCOMPARE(CatalogueFormat::write(parsed.projects, parsed.encoding), saved);

        QBuffer device(&file);
        QVERIFY(device.open(QIODevice::ReadOnly));
        const std::optional<CatalogueFormat::Parsed> inBlocks = CatalogueFormat::read(device, 2);
        QVERIFY(inBlocks);
        QCOMPARE(inBlocks->projects, expected);
        QCOMPARE(inBlocks->encoding, FileEncoding::Utf8WithByteOrderMark);
    }

    void windows1252FileSavesBackIdentical()
    {
        const QByteArray file = "\"Name:\",\"Caf\xE9\"\r\n\"Location:\",\"\x93quoted\x94 \x81\"\r\n";
        const CatalogueFormat::Parsed parsed = CatalogueFormat::read(file);
        QCOMPARE(parsed.projects.at(0).Name, QStringLiteral("Café"));
        QCOMPARE(parsed.projects.at(0).Location, QStringLiteral("“quoted” \u0081"));
        const QByteArray saved = CatalogueFormat::write(parsed.projects);
        QVERIFY(saved.startsWith(file));
    }

    void largeAndHostileFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("projects");
        QTest::addColumn<qsizetype>("longestName");
        QTest::addColumn<double>("heldMegabytes"); // at most, beside the file's own bytes; -1 unchecked

        constexpr qsizetype Size = qsizetype(50) * 1024 * 1024;
        QByteArray random(Size, Qt::Uninitialized);
        QRandomGenerator generator(50);
        generator.fillRange(reinterpret_cast<quint32 *>(random.data()), Size / 4);
        QTest::newRow("50 MB of random bytes") << random << -1 << qsizetype(-1) << -1.0;

        const QByteArray value(Size, 'v');
        QTest::newRow("one 50 MB value, never closed") << "\"Name:\",\"" + value << 1 << Size << -1.0;
        QTest::newRow("one 50 MB value") << "\"Name:\",\"" + value + "\"\r\n" << 1 << Size << -1.0;

        QByteArray quotes;
        quotes.reserve(Size);
        while (quotes.size() < Size)
            quotes += "\"Name:\",\"a\"\r\n\"\r\n\",\"\"\r\n";
        QTest::newRow("50 MB of quotes and line ends") << quotes << -1 << qsizetype(-1) << -1.0;

        QByteArray unclosed = "\"Name:\",\"A\"\r\n";
        while (unclosed.size() < Size)
            unclosed += "Location:,\"left open\r\nstray\r\n";
        QTest::newRow("50 MB of values left open") << unclosed + "\"Name:\",\"B\"\r\n" << 2 << qsizetype(1) << -1.0;

        // Text that no record takes in is not kept while the reader looks for where it ends.
        const QByteArray nul(Size, '\0');
        QTest::newRow("50 MB of NUL bytes") << nul << 0 << qsizetype(-1) << 8.0;
        QTest::newRow("50 MB of NUL bytes after a value") << "Name:,A," + nul + "\r\n\"Name:\",\"B\"\r\n"
                                                          << 2 << qsizetype(1) << 8.0;
    }

    // Whatever the file, the reader finishes, stays within the catalogue's limit and, where the
    // file is a catalogue, keeps all of it.
    void largeAndHostileFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, projects);
        QFETCH(qsizetype, longestName);
        QFETCH(double, heldMegabytes);

        QBuffer device(&file);
        QVERIFY(device.open(QIODevice::ReadOnly));
        const double before = residentMegabytes("VmRSS");
        QFile peak(QStringLiteral("/proc/self/clear_refs"));
        QVERIFY(peak.open(QIODevice::WriteOnly) && peak.write("5") == 1 && peak.flush());
        const std::optional<CatalogueFormat::Parsed> parsed = CatalogueFormat::read(device);
        if (heldMegabytes >= 0)
            QCOMPARE_LE(residentMegabytes("VmHWM") - before, heldMegabytes);
        QVERIFY(parsed);
        QVERIFY(parsed->projects.size() <= Catalogue::MaxProjects);
        if (projects >= 0)
            QCOMPARE(parsed->projects.size(), projects);
        if (longestName >= 0)
            QCOMPARE(parsed->projects.first().Name.size(), longestName);
    }

    void readerKeepsCountingPastTheLimit()
    {
        const int total = Catalogue::MaxProjects + 3;
        QByteArray file;
        for (int i = 0; i < total; ++i)
            file += "\"Name:\",\"P" + QByteArray::number(i) + "\"\r\n\"Total Pictures:\",1\r\n";
        const CatalogueFormat::Parsed parsed = CatalogueFormat::read(file);
        QCOMPARE(parsed.projects.size(), Catalogue::MaxProjects);
        QCOMPARE(parsed.droppedRecords, 3);
        QCOMPARE(parsed.projects.last().Name, QStringLiteral("P32766"));
        QCOMPARE(parsed.projects.last().Pics, qint16(1));
    }
};

QTEST_APPLESS_MAIN(TestCatalogueFormat)
#include "tst_catalogueformat.moc"
