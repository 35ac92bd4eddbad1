#include "goldencatalogues.h"
#include "pages.h"

#include <QFile>
#include <QTest>

namespace {

using PageBuilder = QByteArray (*)(const QList<ProjectInfo> &);
const PageBuilder Builders[] = {&Pages::BuildIndexPage, &Pages::BuildShortPage, &Pages::BuildLongPage};

QList<ProjectInfo> catalogue(const QString &name)
{
    return goldenCatalogue(QStringLiteral(PAGES_DATA_DIR), name);
}

QList<QByteArray> fileLines(const QByteArray &page)
{
    QList<QByteArray> lines = page.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestPageWriters : public QObject
{
    Q_OBJECT

private slots:
    void matchesGoldenFile_data();
    void matchesGoldenFile();
    void framesDifferOnlyInHeading();
    void longPageCountsPicturesPastSixteenBits();
};

void TestPageWriters::matchesGoldenFile_data()
{
    QTest::addColumn<QString>("catalogueName");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("page"); // index into Builders
    QTest::addColumn<int>("expectedLines"); // -1: no count stated for this one

    const struct
    {
        const char *name;
        int projects;
        int indexLines;
        int longLines;
    } cases[] = {
        {"empty", 0, 39, 33},
        {"one", 1, -1, 66},
        {"four", 4, -1, -1},
        {"five", 5, 66, -1},
        {"eight", 8, -1, -1},
        // Windows-1252 letters, the euro sign and characters beyond, in the text and in picture URLs.
        {"accents", 1, -1, -1},
        // Names with "%", "?", "#", a quote or "&": escaped in picture URLs only.
        {"reserved", 6, 71, 190},
    };
    for (const auto &c : cases) {
        const QString name = QLatin1String(c.name);
        QTest::addRow("%s index", c.name) << name << Pages::IndexFileName << 0 << c.indexLines;
        QTest::addRow("%s short", c.name) << name << Pages::ShortFileName << 1 << 30 + 16 * c.projects + 3;
        QTest::addRow("%s long", c.name) << name << Pages::LongFileName << 2 << c.longLines;
    }
}

void TestPageWriters::matchesGoldenFile()
{
    QFETCH(QString, catalogueName);
    QFETCH(QString, fileName);
    QFETCH(int, page);
    QFETCH(int, expectedLines);

    const QByteArray built = Builders[page](catalogue(catalogueName));

    QFile golden(QStringLiteral(PAGES_DATA_DIR "/%1/%2").arg(catalogueName, fileName));
    QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
    const QByteArray expected = golden.readAll();
    if (built != expected) {
        // Point at the first differing line rather than dumping two whole pages.
        const QList<QByteArray> actualLines = fileLines(built);
        const QList<QByteArray> expectedLines = fileLines(expected);
        for (qsizetype i = 0; i < qMax(actualLines.size(), expectedLines.size()); ++i) {
            const QByteArray a = actualLines.value(i, "<missing>");
            const QByteArray e = expectedLines.value(i, "<missing>");
            QCOMPARE(a, e);
        }
        QCOMPARE(built, expected);
    }
    QVERIFY(built.endsWith("\r\n"));
    QCOMPARE(built.count('\n'), built.count("\r\n"));
    if (expectedLines >= 0)
        QCOMPARE(built.count("\r\n"), expectedLines);
}

void TestPageWriters::framesDifferOnlyInHeading()
{
    const QList<ProjectInfo> projects = catalogue(QStringLiteral("eight"));
    const QList<QByteArray> index = fileLines(Pages::BuildIndexPage(projects));
    const QList<QByteArray> shortPage = fileLines(Pages::BuildShortPage(projects));
    const QList<QByteArray> longPage = fileLines(Pages::BuildLongPage(projects));

    QCOMPARE(shortPage.mid(0, 30), longPage.mid(0, 30));
    for (int line = 0; line < 30; ++line) {
        if (line == 10)
            QVERIFY(index.at(line) != shortPage.at(line));
        else
            QCOMPARE(index.at(line), shortPage.at(line));
    }
    const QList<QByteArray> foot{" \r", "</BODY>\r", "</HTML>\r"};
    QCOMPARE(index.mid(index.size() - 3), foot);
    QCOMPARE(shortPage.mid(shortPage.size() - 3), foot);
    QCOMPARE(longPage.mid(longPage.size() - 3), foot);
}

void TestPageWriters::longPageCountsPicturesPastSixteenBits()
{
    const qint16 most = 32767;
    const QByteArray page = Pages::BuildLongPage({{QStringLiteral("Big"), {}, {}, {}, most}});
    QCOMPARE(page.count("<img SRC="), qsizetype(most));
    QVERIFY(page.contains("\"./Thumbs/Big_p32767.gif\">\r\n      </TD>\r\n</TABLE>\r\n"));
    QCOMPARE(page.count("\r\n"), 30 + 12 + 3 * most + 2 * (most / 3) + 7 + 3);
}

QTEST_APPLESS_MAIN(TestPageWriters)
#include "tst_pagewriters.moc"
