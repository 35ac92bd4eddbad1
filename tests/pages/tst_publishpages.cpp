#include "catalogueformat.h"
#include "pages.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList &PageFiles = Pages::FileNames;

QList<ProjectInfo> sampleProjects()
{
    return {
        {QStringLiteral("Harbour Bridge"), QStringLiteral("Port Ellen"), QStringLiteral("Footbridge."),
         QStringLiteral("Steel truss.\r\nGranite piers."), 5},
        {QStringLiteral("Café Lumière"), QStringLiteral("Lyon"), QStringLiteral("<b>Refit</b> & lighting"),
         QStringLiteral("Oak counter, Ω lamps."), 1},
    };
}

QByteArray oldContent(const QString &fileName)
{
    return "old " + fileName.toLatin1() + "\r\n";
}

QByteArray newContent(const QString &fileName)
{
    const QList<ProjectInfo> projects = sampleProjects();
    if (fileName == Pages::IndexFileName)
        return Pages::BuildIndexPage(projects);
    if (fileName == Pages::ShortFileName)
        return Pages::BuildShortPage(projects);
    return Pages::BuildLongPage(projects);
}

} // namespace

class TestPublishPages : public QObject
{
    Q_OBJECT

private slots:
    void writesTheThreePages();
    void secondRunGivesIdenticalBytes();
    void stopsAtAPageThatIsAFolder_data();
    void stopsAtAPageThatIsAFolder();
    void stopsAtAWriteProtectedPage_data();
    void stopsAtAWriteProtectedPage();
    void fullDiskKeepsTheOldPage();
    void publishesWithoutThreads();

private:
    // A scratch site with old pages and a projects.txt, laid out so an unprivileged user owns it.
    struct Site
    {
        QTemporaryDir root;
        QString folder;
        QString tool;
    };
    void makeSite(Site &site);
    // Runs the publishing in a child process, as "nobody" when the suite runs as root.
    QString publishAsUser(const Site &site, const QStringList &extraArgs, int &exitCode);
    void checkPages(const QString &folder, int rewrittenPages);
};

void TestPublishPages::writesTheThreePages()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Pages::Publisher publisher(dir.path());
    QVERIFY2(publisher.publish(sampleProjects()), qPrintable(publisher.errorString()));
    for (const QString &fileName : PageFiles)
        QCOMPARE(readFile(dir.filePath(fileName)), newContent(fileName));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 3);
}

void TestPublishPages::secondRunGivesIdenticalBytes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Pages::Publisher publisher(dir.path());
    QVERIFY(publisher.publish(sampleProjects()));
    QList<QByteArray> first;
    for (const QString &fileName : PageFiles)
        first.append(readFile(dir.filePath(fileName)));
    QVERIFY(publisher.publish(sampleProjects()));
    for (int i = 0; i < PageFiles.size(); ++i)
        QCOMPARE(readFile(dir.filePath(PageFiles.at(i))), first.at(i));
}

void TestPublishPages::stopsAtAPageThatIsAFolder_data()
{
    QTest::addColumn<int>("blocked");
    QTest::addColumn<QString>("link"); // where the page links to, instead of being a folder
    QTest::newRow("index") << 0 << QString();
    QTest::newRow("short") << 1 << QString();
    QTest::newRow("long") << 2 << QString();
    QTest::newRow("long page linked to a FIFO") << 2 << "fifo";
}

void TestPublishPages::stopsAtAPageThatIsAFolder()
{
    QFETCH(int, blocked);
    QFETCH(QString, link);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (int i = 0; i < PageFiles.size(); ++i) {
        if (i == blocked && link.isEmpty())
            QVERIFY(QDir(dir.path()).mkdir(PageFiles.at(i)));
        else if (i == blocked)
            QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(link)).constData(), 0600) == 0
                    && QFile::link(link, dir.filePath(PageFiles.at(i))));
        else
            writeFile(dir.filePath(PageFiles.at(i)), oldContent(PageFiles.at(i)));
    }

    Pages::Publisher publisher(dir.path());
    QVERIFY(!publisher.publish(sampleProjects()));
    QCOMPARE(publisher.failedFile(), PageFiles.at(blocked));
    QVERIFY(!publisher.errorString().isEmpty());
    QVERIFY(publisher.refused());
    for (int i = 0; i < PageFiles.size(); ++i) {
        const QString path = dir.filePath(PageFiles.at(i));
        if (i < blocked)
            QCOMPARE(readFile(path), newContent(PageFiles.at(i)));
        else if (i == blocked)
            QVERIFY(link.isEmpty() ? QFileInfo(path).isDir() : QFileInfo(path).isSymLink());
        else
            QCOMPARE(readFile(path), oldContent(PageFiles.at(i)));
    }

    // Once the page can be written, the same publisher succeeds and names no failure any more.
    QVERIFY(link.isEmpty() ? QDir(dir.path()).rmdir(PageFiles.at(blocked))
                           : QFile::remove(dir.filePath(PageFiles.at(blocked))));
    QVERIFY(publisher.publish(sampleProjects()));
    QCOMPARE(publisher.failedFile(), QString());
    QCOMPARE(publisher.errorString(), QString());
    for (const QString &fileName : PageFiles)
        QCOMPARE(readFile(dir.filePath(fileName)), newContent(fileName));
}

void TestPublishPages::makeSite(Site &site)
{
    QVERIFY(site.root.isValid());
    QVERIFY(QFile::setPermissions(
        site.root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    // The build folder may be out of the unprivileged user's reach; a copy of the tool is not.
    site.tool = site.root.filePath(QStringLiteral("publish_pages_tool"));
    QVERIFY(QFile::copy(QStringLiteral(PUBLISH_PAGES_TOOL), site.tool));
    QVERIFY(QFile::setPermissions(site.tool, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));

    site.folder = site.root.filePath(QStringLiteral("site"));
    QVERIFY(QDir(site.root.path()).mkdir(QStringLiteral("site")));
    QStringList files = PageFiles;
    files.append(QStringLiteral("projects.txt"));
    writeFile(site.folder + QStringLiteral("/projects.txt"), CatalogueFormat::write(sampleProjects()));
    for (const QString &fileName : PageFiles)
        writeFile(site.folder + u'/' + fileName, oldContent(fileName));
    if (runningAsRoot()) {
        QVERIFY(giveToNobody(site.folder));
        for (const QString &fileName : files)
            QVERIFY(giveToNobody(site.folder + u'/' + fileName));
    }
}

QString TestPublishPages::publishAsUser(const Site &site, const QStringList &extraArgs, int &exitCode)
{
    QProcess process;
    process.setWorkingDirectory(site.folder);
    startAsNobody(process, site.tool, extraArgs);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        exitCode = -1;
        return QStringLiteral("timed out");
    }
    exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
}

void TestPublishPages::checkPages(const QString &folder, int rewrittenPages)
{
    for (int i = 0; i < PageFiles.size(); ++i) {
        const QString &fileName = PageFiles.at(i);
        QCOMPARE(readFile(folder + u'/' + fileName), i < rewrittenPages ? newContent(fileName) : oldContent(fileName));
    }
    QStringList expected = PageFiles;
    expected.append(QStringLiteral("projects.txt"));
    expected.sort();
    // No temporary file may be left behind either.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name), expected);
}

void TestPublishPages::stopsAtAWriteProtectedPage_data()
{
    QTest::addColumn<QString>("protectedName"); // a page, or "." for the folder itself
    QTest::addColumn<QString>("failedFile");
    QTest::addColumn<int>("rewrittenPages");

    QTest::newRow("nothing protected") << QString() << QString() << 3;
    QTest::newRow("index page") << Pages::IndexFileName << Pages::IndexFileName << 0;
    QTest::newRow("short page") << Pages::ShortFileName << Pages::ShortFileName << 1;
    QTest::newRow("long page") << Pages::LongFileName << Pages::LongFileName << 2;
    QTest::newRow("folder") << QStringLiteral(".") << Pages::IndexFileName << 0;
}

void TestPublishPages::stopsAtAWriteProtectedPage()
{
    QFETCH(QString, protectedName);
    QFETCH(QString, failedFile);
    QFETCH(int, rewrittenPages);

    Site site;
    makeSite(site);
    if (QTest::currentTestFailed())
        return;
    const QString protectedPath = site.folder + u'/' + protectedName;
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    if (!protectedName.isEmpty())
        QVERIFY(QFile::setPermissions(protectedPath, protectedName == u'.' ? readOnly | QFile::ExeOwner : readOnly));

    int exitCode = 0;
    const QString output = publishAsUser(site, {}, exitCode);
    if (!protectedName.isEmpty())
        QFile::setPermissions(protectedPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    if (failedFile.isEmpty()) {
        QCOMPARE(exitCode, 0);
        QCOMPARE(output, QStringLiteral("ok\n"));
    } else {
        QCOMPARE(exitCode, 1);
        QCOMPARE(output.section(u'\n', 0, 0), failedFile);
    }
    checkPages(site.folder, rewrittenPages);
}

void TestPublishPages::fullDiskKeepsTheOldPage()
{
    Site site;
    makeSite(site);
    if (QTest::currentTestFailed())
        return;
    // Room for the old pages but not for the new index page.
    int exitCode = 0;
    const QString output = publishAsUser(site, {QStringLiteral("--max-file-size"), QStringLiteral("200")}, exitCode);
    QCOMPARE(exitCode, 1);
    QCOMPARE(output.section(u'\n', 0, 0), Pages::IndexFileName);
    checkPages(site.folder, 0);
}

void TestPublishPages::publishesWithoutThreads()
{
#ifdef __SANITIZE_THREAD__
    QSKIP("ThreadSanitizer's runtime needs a thread of its own, which the limit forbids");
#endif
    Site site;
    makeSite(site);
    if (QTest::currentTestFailed())
        return;
    // Pages of more than the writers' megabyte, where they would use a second thread.
    QList<ProjectInfo> projects;
    for (int i = 0; i < 2000; ++i)
        projects += sampleProjects();
    writeFile(site.folder + QStringLiteral("/projects.txt"), CatalogueFormat::write(projects));
    int exitCode = 0;
    const QString output = publishAsUser(site, {QStringLiteral("--no-threads")}, exitCode);
    QCOMPARE(output, QStringLiteral("ok\n"));
    QCOMPARE(exitCode, 0);
    const QByteArray longPage = Pages::BuildLongPage(projects);
    QVERIFY(longPage.size() > (1 << 20));
    QCOMPARE(readFile(site.folder + u'/' + Pages::IndexFileName), Pages::BuildIndexPage(projects));
    QCOMPARE(readFile(site.folder + u'/' + Pages::ShortFileName), Pages::BuildShortPage(projects));
    QCOMPARE(readFile(site.folder + u'/' + Pages::LongFileName), longPage);
}

QTEST_APPLESS_MAIN(TestPublishPages)
#include "tst_publishpages.moc"
