// A full disk met through the window: Save All and Build Pages report it once, keep the old files
// whole and the catalogue as it was, and work again once there is room.
#include "messages.h"
#include "pages.h"
#include "processlimits.h"
#include "windowfixture.h"

namespace {

const QStringList &PageFiles = Pages::FileNames;

QMap<QString, QByteArray> filesIn(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &name : names)
        files.insert(name, readFile(folder + u'/' + name));
    return files;
}

QList<QByteArray> pagesOf(const QList<ProjectInfo> &projects)
{
    return {Pages::BuildIndexPage(projects), Pages::BuildShortPage(projects), Pages::BuildLongPage(projects)};
}

} // namespace

class FullDiskTest : public QObject
{
    Q_OBJECT

private slots:
    void fullDisk_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("room"); // how much the disk has left
        QTest::addColumn<int>("pagesWritten"); // before the failure

        QTest::newRow("Save All, no room at all") << "cmd_save"
                                                  << "none" << 0;
        QTest::newRow("Save All, room for part of the file") << "cmd_save"
                                                             << "half" << 0;
        QTest::newRow("Build Pages, no room at all") << "cmd_all"
                                                     << "none" << 0;
        QTest::newRow("Build Pages, room for part of the index") << "cmd_all"
                                                                 << "half" << 0;
        QTest::newRow("Build Pages, room for the index page only") << "cmd_all"
                                                                   << "index" << 1;
    }

    void fullDisk()
    {
        QFETCH(QString, command);
        QFETCH(QString, room);
        QFETCH(int, pagesWritten);
        const bool save = command == QLatin1String("cmd_save");
        const QString failure = save ? Messages::SaveFailed : Messages::PagesFailed;
        WindowFixture fixture(projectsNamed({"Harbour", "Mill", "Tower"}));
        const QString success = save ? QString() : fixture.pagesBuilt();
        const QString folder = QFileInfo(fixture.projectsPath()).absolutePath();
        fixture.click("cmd_all"); // old pages to keep
        fixture.messages.texts.clear();
        const QMap<QString, QByteArray> before = filesIn(folder);
        QCOMPARE(before.size(), 4);

        // An edit typed but not yet stored, and a new project: both must survive the failure.
        fixture.clickRow(1);
        const QString longText = QStringLiteral("A long description, typed in the window. ").repeated(12);
        fixture.type("text_long", longText);
        fixture.click("cmd_add");
        fixture.type("text_name", QStringLiteral("Quay"));
        QList<ProjectInfo> expected = projectsNamed({"Harbour", "Mill", "Tower"});
        expected[1].LongDesc = longText.chopped(1);
        expected.insert(2, ProjectInfo{"Quay", "", "", "", 1});

        const QByteArray newFile = save ? CatalogueFormat::write(expected) : Pages::BuildIndexPage(expected);
        rlim_t limit = 0;
        if (room == QLatin1String("half"))
            limit = rlim_t(newFile.size() / 2);
        else if (room == QLatin1String("index"))
            limit = rlim_t(newFile.size());
        QVERIFY(save || Pages::BuildShortPage(expected).size() > newFile.size());
        {
            FileSizeLimit full(limit);
            QVERIFY(full.active());
            fixture.click(qPrintable(command));
        }
        QCOMPARE(fixture.messages.texts, QStringList{failure});
        QCOMPARE(fixture.catalogue.Projects(), expected);
        QCOMPARE(fixture.rows(), fixture.names());
        QCOMPARE(fixture.line("text_name")->text(), QStringLiteral("Quay"));

        // The old files whole, byte for byte, and no temporary file left beside them; only pages
        // that were written completely before the failure are new.
        QMap<QString, QByteArray> after = before;
        for (int i = 0; i < pagesWritten; ++i)
            after[PageFiles.at(i)] = pagesOf(expected).at(i);
        QCOMPARE(filesIn(folder), after);

        // With room again, the same command succeeds.
        fixture.messages.texts.clear();
        fixture.click(qPrintable(command));
        QCOMPARE(fixture.messages.texts, success.isEmpty() ? QStringList() : QStringList{success});
        if (save) {
            QCOMPARE(readFile(fixture.projectsPath()), CatalogueFormat::write(expected));
        } else {
            for (int i = 0; i < PageFiles.size(); ++i)
                QCOMPARE(readFile(fixture.path(PageFiles.at(i))), pagesOf(expected).at(i));
        }
        QCOMPARE(filesIn(folder).size(), 4);
    }
};

QTEST_MAIN(FullDiskTest)
#include "tst_fulldisk.moc"
