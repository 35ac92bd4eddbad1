// The program itself, run as a user would from a terminal or a script: no display, and no
// QT_QPA_PLATFORM, as on a server or in a build job.
#include "catalogueformat.h"
#include "goldencatalogues.h"
#include "pages.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include <sys/stat.h>

namespace {

const QStringList &PageFiles = Pages::FileNames;
const QByteArray PagesFailed = "Not possible to Create Web Pages\nCheck for write protection\n";

struct Run
{
    int exitCode = -1;
    bool crashed = true;
    QByteArray out;
    QByteArray err;
};

Run run(const QStringList &arguments, const QString &workingDirectory,
        const QString &program = QStringLiteral(CATALOGUE_PROGRAM), const QStringList &environment = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    for (const QString &variable : environment)
        env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(120000))
        return result;
    result.exitCode = process.exitCode();
    result.crashed = process.exitStatus() != QProcess::NormalExit;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QByteArray pathsOf(const QString &folder)
{
    QByteArray paths;
    for (const QString &page : PageFiles)
        paths += QFile::encodeName(QDir(folder).filePath(page)) + '\n';
    return paths;
}

void writeCatalogue(const QString &folder, const QList<ProjectInfo> &projects)
{
    writeFile(folder + QStringLiteral("/projects.txt"), CatalogueFormat::write(projects));
}

QByteArray oldPage(const QString &page)
{
    return "published " + page.toLatin1() + "\r\n";
}

} // namespace

class TestProgramRun : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void refusals_data();
    void refusals();
    void buildPagesMatchesTheButton_data();
    void buildPagesMatchesTheButton();
    void buildPagesLoadsNoPlatform();
    void buildPagesStopsAtAPageItCannotWrite_data();
    void buildPagesStopsAtAPageItCannotWrite();
    void buildPagesKeepsThePagesOfAnUnreadableCatalogue_data();
    void buildPagesKeepsThePagesOfAnUnreadableCatalogue();
    void startUpMessagesGoToStandardError();
    void checkReportsEachFinding();
    void checkFindsNothingInASoundCatalogue();
    void picturesBesideTheProgramComeFirst();
    void addPicturesSkipsWhatItCannotRead();
    void publishSendsWhatDiffers();

private:
    QTemporaryDir m_root;
    QString m_site;
};

void TestProgramRun::init()
{
    QVERIFY(m_root.isValid());
    m_site = m_root.filePath(QString::fromLatin1(QTest::currentDataTag()).isEmpty()
                                 ? QString::fromLatin1(QTest::currentTestFunction())
                                 : QStringLiteral("%1-%2").arg(QTest::currentTestFunction(), QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(m_site));
}

void TestProgramRun::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("withCatalogue");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out"); // the start of standard output
    QTest::addColumn<QByteArray>("err"); // the start of standard error

    const QByteArray noDisplay = "project-catalogue: the window needs a display, and none is set (DISPLAY, "
                                 "WAYLAND_DISPLAY); --build-pages and --check work without one.\n";

    QTest::newRow("help") << QStringList{"--help"} << false << 0
                          << QByteArray("Usage: project-catalogue [options] [FOLDER]\n") << QByteArray();
    QTest::newRow("help beside a catalogue")
        << QStringList{"-h", "."} << true << 0 << QByteArray("Usage: project-catalogue [options] [FOLDER]\n")
        << QByteArray();
    QTest::newRow("version") << QStringList{"--version"} << false << 0
                             << QByteArray("project-catalogue " CATALOGUE_VERSION "\n") << QByteArray();
    QTest::newRow("window without a display") << QStringList() << false << 1 << QByteArray() << noDisplay;
    QTest::newRow("window on a folder without a display") << QStringList{"."} << true << 1 << QByteArray() << noDisplay;
    QTest::newRow("window on a missing folder") << QStringList{"missing"} << false << 2 << QByteArray()
                                                << QByteArray("project-catalogue: no such folder: missing\n");
    QTest::newRow("build pages in a missing folder")
        << QStringList{"--build-pages", "missing"} << false << 2 << QByteArray()
        << QByteArray("project-catalogue: no such folder: missing\n");
    QTest::newRow("check a file as folder") << QStringList{"--check", "projects.txt"} << true << 2 << QByteArray()
                                            << QByteArray("project-catalogue: not a folder: projects.txt\n");
    QTest::newRow("unknown option") << QStringList{"--upload"} << false << 2 << QByteArray()
                                    << QByteArray("project-catalogue: Unknown option 'upload'.\n");
    QTest::newRow("publish to the catalogue folder")
        << QStringList{"--publish", "."} << true << 1 << QByteArray()
        << QByteArray("project-catalogue: The destination is the catalogue folder itself");
    QTest::newRow("dry run without publishing") << QStringList{"--dry-run"} << true << 2 << QByteArray()
                                                << QByteArray("project-catalogue: --dry-run and --delete-unlinked");
    QTest::newRow("title and bell in an option")
        << QStringList{"--x\x1b]0;t\a"} << false << 2 << QByteArray()
        << QByteArray("project-catalogue: Unknown option 'x\\x1b]0;t\\x07'.\n");
    QTest::newRow("forged line in a folder")
        << QStringList{"--check", "gone\x1b[2J\r\nprojects.txt:9: Fake: everything is fine"} << false << 2
        << QByteArray()
        << QByteArray(
               "project-catalogue: no such folder: gone\\x1b[2J\\x0d\\x0aprojects.txt:9: Fake: everything is fine\n");
    // Qt's options before "--" are its own; after it, a FOLDER like any other.
    QTest::newRow("Qt's option") << QStringList{"-platform", "offscreen", "missing"} << false << 2 << QByteArray()
                                 << QByteArray("project-catalogue: no such folder: missing\n");
    QTest::newRow("Qt's option after --")
        << QStringList{"-platform", "offscreen", "--", "-reverse"} << false << 2 << QByteArray()
        << QByteArray("project-catalogue: no such folder: -reverse\n");
    QTest::newRow("two actions") << QStringList{"--check", "--build-pages"} << true << 2 << QByteArray()
                                 << QByteArray("project-catalogue: --build-pages and --check cannot be given");
    QTest::newRow("build pages without projects.txt") << QStringList{"--build-pages"} << false << 1 << QByteArray()
                                                      << QByteArray("project-catalogue: there is no projects.txt in /");
    QTest::newRow("add pictures without a file") << QStringList{"--add-pictures", "Bridge"} << true << 2 << QByteArray()
                                                 << QByteArray("project-catalogue: --add-pictures needs a FILE");
    QTest::newRow("add pictures to no such project")
        << QStringList{"--add-pictures", "Nobody", "projects.txt"} << true << 1 << QByteArray()
        << QByteArray("project-catalogue: no project is named Nobody\n");
    QTest::newRow("check without projects.txt") << QStringList{"--check", "."} << false << 1 << QByteArray()
                                                << QByteArray("project-catalogue: there is no projects.txt in /");
    // In the user's language, Qt's own words too; a regional locale falls back to its language.
    QTest::newRow("help in German") << QStringList{"LANG=de_DE.UTF-8", "--help"} << false << 0
                                    << QByteArray("Aufruf: project-catalogue [Optionen] [ORDNER]\nVerwaltet einen")
                                    << QByteArray();
    QTest::newRow("Qt's error in Austrian German")
        << QStringList{"LC_MESSAGES=de_AT.UTF-8", "--upload"} << false << 2 << QByteArray()
        << QByteArray(
               "project-catalogue: Unbekannte Option 'upload'.\n\xe2\x80\x9eproject-catalogue --help\xe2\x80\x9c "
               "liefert weitere Informationen.\n");
    QTest::newRow("German from LANGUAGE's list")
        << QStringList{"LANG=fr_FR.UTF-8", "LANGUAGE=fr:de"} << false << 1 << QByteArray()
        << QByteArray("project-catalogue: Das Fenster braucht");
    QTest::newRow("LANGUAGE under LC_ALL=C.UTF-8")
        << QStringList{"LC_ALL=C.UTF-8", "LANGUAGE=de", "--build-pages"} << false << 1 << QByteArray()
        << QByteArray("project-catalogue: there is no projects.txt in /");
}

// None of these touches a file: the folder holds afterwards exactly what it held before.
void TestProgramRun::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, withCatalogue);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);

    if (withCatalogue)
        writeCatalogue(m_site, {{"Bridge", "Port", "Short", "Long", 1}});
    const QStringList before = entries(m_site);
    const QByteArray catalogue = readFile(m_site + QStringLiteral("/projects.txt"));

    // A window's platform warns of a missing runtime folder.
    QStringList environment{"XDG_RUNTIME_DIR=" + m_root.path()};
    // Leading NAME=value items, as env(1) takes them, choose the language from a clean slate.
    if (!arguments.isEmpty() && arguments.first().contains(u'=') && !arguments.first().startsWith(u'-'))
        environment << "LC_ALL="
                    << "LC_MESSAGES="
                    << "LANGUAGE=";
    while (!arguments.isEmpty() && arguments.first().contains(u'=') && !arguments.first().startsWith(u'-'))
        environment << arguments.takeFirst();
    const Run result = run(arguments, m_site, QStringLiteral(CATALOGUE_PROGRAM), environment);
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.out.startsWith(out), result.out.constData());
    QVERIFY2(result.err.startsWith(err), result.err.constData());
    if (out.isEmpty())
        QCOMPARE(result.out, QByteArray());
    if (err.isEmpty())
        QCOMPARE(result.err, QByteArray());
    QCOMPARE(entries(m_site), before);
    QCOMPARE(readFile(m_site + QStringLiteral("/projects.txt")), catalogue);
}

void TestProgramRun::buildPagesMatchesTheButton_data()
{
    QTest::addColumn<QString>("catalogueName");
    QTest::addColumn<int>("storedFirstCount"); // -1: as in the golden catalogue
    QTest::addColumn<QStringList>("pictures"); // put in the catalogue folder's Thumbs
    QTest::addColumn<bool>("notUtf8"); // the folder's name ends in the byte 0xE9 (é in Latin-1)
    for (const char *name : {"empty", "one", "four", "five", "eight", "accents"})
        QTest::newRow(name) << QString::fromLatin1(name) << -1 << QStringList() << false;
    // The folder's name is in the test's folder, and its ESC [2J in the printed paths.
    QTest::newRow("one\x1b[2J") << QStringLiteral("one") << -1 << QStringList() << false;
    QTest::newRow("one, folder from an older disk") << QStringLiteral("one") << -1 << QStringList() << true;
    // The window's start-up selects the first project, which sets its count from its pictures.
    QTest::newRow("one, stale first count")
        << "one" << 1 << QStringList{"Harbour Bridge_p1.gif", "Harbour Bridge_p4.gif"} << false;
    QTest::newRow("eight, only the first count") << "eight" << -1 << QStringList{"P2_p9.gif", "P4_p2.gif"} << false;
}

// The golden pages are the bytes Build Pages writes for these catalogues.
void TestProgramRun::buildPagesMatchesTheButton()
{
    QFETCH(QString, catalogueName);
    QFETCH(int, storedFirstCount);
    QFETCH(QStringList, pictures);
    QFETCH(bool, notUtf8);
    QList<ProjectInfo> projects = goldenCatalogue(QStringLiteral(PAGES_DATA_DIR), catalogueName);
    if (storedFirstCount >= 0)
        projects.first().Pics = qint16(storedFirstCount);
    writeCatalogue(m_site, projects);
    for (const QString &picture : pictures)
        writeFile(m_site + QStringLiteral("/Thumbs/") + picture, "GIF89a");

    // From elsewhere, with the folder named on the command line; only a shell passes a name that is
    // not UTF-8 as it is.
    const QByteArray site = QFile::encodeName(m_site);
    Run result;
    if (notUtf8) {
        QVERIFY(::rename(site.constData(), (site + "\xe9").constData()) == 0);
        result = run({"-c", "exec \"$0\" --build-pages \"$1$(printf '\\351')\"", CATALOGUE_PROGRAM, m_site},
                     m_root.path(), "sh");
        QVERIFY(::rename((site + "\xe9").constData(), site.constData()) == 0);
    } else {
        result = run({QStringLiteral("--build-pages"), m_site}, m_root.path());
    }
    QVERIFY2(!result.crashed && result.exitCode == 0, result.err.constData());
    QCOMPARE(result.out, pathsOf(notUtf8 ? m_site + "\\xe9" : m_site).replace("\x1b", "\\x1b"));
    QCOMPARE(result.err, QByteArray());
    for (const QString &page : PageFiles) {
        const QString golden = QStringLiteral(PAGES_DATA_DIR "/%1/%2").arg(catalogueName, page);
        QCOMPARE(readFile(m_site + u'/' + page), readFile(golden));
    }
    QVERIFY(QDir(m_site + QStringLiteral("/Thumbs")).removeRecursively());
    QCOMPARE(entries(m_site), (QStringList{"projects.txt", PageFiles.at(0), PageFiles.at(2), PageFiles.at(1)}));
}

void TestProgramRun::buildPagesLoadsNoPlatform()
{
    // A platform plugin of this name does not exist: loading any would end the program.
    writeCatalogue(m_site, goldenCatalogue(QStringLiteral(PAGES_DATA_DIR), QStringLiteral("one")));
    const Run result = run({QStringLiteral("--build-pages")}, m_site, QStringLiteral(CATALOGUE_PROGRAM),
                           {QStringLiteral("QT_QPA_PLATFORM=no-such-platform")});
    QVERIFY2(!result.crashed && result.exitCode == 0, result.err.constData());
    QCOMPARE(result.out, pathsOf(m_site));
}

void TestProgramRun::buildPagesStopsAtAPageItCannotWrite_data()
{
    QTest::addColumn<int>("failing"); // the page that cannot be written
    QTest::addColumn<QString>("fileSizeLimit"); // as on a full disk; SIGXFSZ is not ignored here
    QTest::addColumn<bool>("planted"); // the failing page a link of another user in a shared folder
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("a folder in its place") << 1 << "" << false << QByteArray("projects_short.htm is not a plain file.");
    QTest::newRow("full disk") << 2 << "--fsize=2048" << false << QByteArray("File too large");
    QTest::newRow("another user's link") << 0 << "" << true
                                         << QByteArray("projects_index.htm is a link owned by another user; it was "
                                                       "left as it is.");
    QTest::newRow("folder owner's link to root's file")
        << 0 << "" << true << QByteArray("projects_index.htm is a link owned by another user; it was left as it is.");
}

void TestProgramRun::buildPagesStopsAtAPageItCannotWrite()
{
    QFETCH(int, failing);
    QFETCH(QString, fileSizeLimit);
    QFETCH(bool, planted);
    QFETCH(QByteArray, reason);
    const QList<ProjectInfo> projects = goldenCatalogue(QStringLiteral(PAGES_DATA_DIR), QStringLiteral("four"));
    writeCatalogue(m_site, projects);
    for (const QString &page : PageFiles)
        writeFile(m_site + u'/' + page, oldPage(page));
    const QString failed = m_site + u'/' + PageFiles.at(failing);
    const QString secret = m_root.filePath(QStringLiteral("secret.txt"));
    if (planted) {
        if (!runningAsRoot())
            QSKIP("Only root may give a link to another user");
        QFile::remove(secret);
        QVERIFY(QFile::rename(failed, secret) && QFile::link(secret, failed));
        QVERIFY(::lchown(QFile::encodeName(failed).constData(), getpwnam("nobody")->pw_uid, gid_t(-1)) == 0);
        QVERIFY(::chmod(QFile::encodeName(m_site).constData(), 01777) == 0);
        // Or a folder of that user's own.
        if (QByteArray(QTest::currentDataTag()).startsWith("folder owner"))
            QVERIFY(::chown(QFile::encodeName(m_site).constData(), getpwnam("nobody")->pw_uid, gid_t(-1)) == 0);
    } else if (fileSizeLimit.isEmpty()) {
        QVERIFY(QFile::remove(failed) && QDir().mkdir(failed));
    }

    const QStringList arguments{QStringLiteral("--build-pages"), QStringLiteral(".")};
    const Run result = fileSizeLimit.isEmpty()
        ? run(arguments, m_site)
        : run(QStringList{fileSizeLimit, QStringLiteral(CATALOGUE_PROGRAM)} + arguments, m_site, "prlimit");
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err, PagesFailed + "project-catalogue: " + QFile::encodeName(failed) + ": " + reason + '\n');
    // As the button leaves them: the pages before the failure rewritten, the rest untouched.
    const QByteArray built[] = {Pages::BuildIndexPage(projects), Pages::BuildShortPage(projects)};
    for (int i = 0; i < PageFiles.size(); ++i) {
        if (i != failing || !fileSizeLimit.isEmpty())
            QCOMPARE(readFile(m_site + u'/' + PageFiles.at(i)), i < failing ? built[i] : oldPage(PageFiles.at(i)));
    }
    QCOMPARE(QFileInfo(failed).isSymLink(), planted);
    if (planted)
        QCOMPARE(readFile(secret), oldPage(PageFiles.at(failing)));
}

void TestProgramRun::buildPagesKeepsThePagesOfAnUnreadableCatalogue_data()
{
    QTest::addColumn<bool>("folder"); // a folder in the file's place, else a file with no project in it
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("finding");
    QTest::newRow("folder") << true << QByteArray("Not possible to read projects.txt\nIt is a folder, not a file.\n")
                            << QByteArray(
                                   "projects.txt: Not possible to read projects.txt: It is a folder, not a file.\n");
    QTest::newRow("no project in it")
        << false
        << QByteArray(
               "projects.txt holds no project that could be read.\nThe file is unchanged until you press Save All.\n")
        << QByteArray("projects.txt: projects.txt holds no project that could be read. The file is unchanged until you "
                      "press Save All.\n");
}

void TestProgramRun::buildPagesKeepsThePagesOfAnUnreadableCatalogue()
{
    QFETCH(bool, folder);
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, finding);
    // The window would show an empty catalogue; published pages must not become empty pages.
    if (folder)
        QVERIFY(QDir(m_site).mkdir(QStringLiteral("projects.txt")));
    else
        writeFile(m_site + QStringLiteral("/projects.txt"),
                  QByteArray("\x7F"
                             "ELF\x02\x01\x01",
                             7));
    for (const QString &page : PageFiles)
        writeFile(m_site + u'/' + page, oldPage(page));

    const Run result = run({QStringLiteral("--build-pages")}, m_site);
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err, message);
    for (const QString &page : PageFiles)
        QCOMPARE(readFile(m_site + u'/' + page), oldPage(page));

    const Run check = run({QStringLiteral("--check")}, m_site);
    QCOMPARE(check.exitCode, 1);
    QCOMPARE(check.out, finding);
}

void TestProgramRun::startUpMessagesGoToStandardError()
{
    // One record more than the catalogue can hold: the window tells it at start-up.
    QByteArray file;
    for (int i = 0; i <= 32767; ++i)
        file += "\"Name:\",\"P" + QByteArray::number(i) + "\"\r\n\"Total Pictures:\",0\r\n";
    writeFile(m_site + QStringLiteral("/projects.txt"), file);
    const QByteArray dropped = "projects.txt holds 1 more projects than the 32767 that can be kept; only the "
                               "first 32767 were loaded.";

    // Pages without the last project would pass for the whole catalogue.
    const Run built = run({QStringLiteral("--build-pages")}, m_site);
    QCOMPARE(built.exitCode, 1);
    QCOMPARE(built.err,
             "project-catalogue: " + QFile::encodeName(m_site)
                 + "/projects.txt holds 32768 projects, "
                   "more than the 32767 a catalogue can keep; no page was written.\n");
    QCOMPARE(entries(m_site), QStringList{"projects.txt"});

    const Run check = run({QStringLiteral("--check")}, m_site);
    QCOMPARE(check.exitCode, 1);
    QVERIFY2(check.out.startsWith("projects.txt: " + dropped
                                  + " The file is unchanged until you press Save All.\n"
                                    "projects.txt:1: P0: picture 1 is missing"),
             check.out.left(400).constData());
}

void TestProgramRun::checkReportsEachFinding()
{
    const QList<ProjectInfo> projects{
        {"Complete", "", "", "", 2}, {"No Main", "", "", "", 0}, {"Counted Wrong", "", "", "", 6},
        {"Gap", "", "", "", 3},      {"Up/Down", "", "", "", 0}, {"Rock & Roll", "", "", "", 1},
    };
    writeCatalogue(m_site, projects);
    const QString thumbs = m_site + QStringLiteral("/Thumbs");
    QVERIFY(QDir().mkpath(thumbs));
    for (const char *picture : {"Complete_p1", "Complete_p2", "Counted Wrong_p1", "Counted Wrong_p2",
                                "Counted Wrong_p3", "Counted Wrong_p4", "Counted Wrong_p5", "Counted Wrong_p6",
                                "Counted Wrong_p7", "Gap_p1", "Gap_p3", "Rock & Roll_p1", "Old Name_p1", "Old Name_p2"})
        writeFile(thumbs + u'/' + QString::fromUtf8(picture) + QStringLiteral(".gif"), "GIF89a");

    const Run result = run({QStringLiteral("--check")}, m_site);
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.err, QByteArray());
    const QList<QByteArray> lines = result.out.split('\n');
    QCOMPARE(
        lines,
        (QList<QByteArray>{
            // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): each line is one long message, split to fit.
            "projects.txt:2: No Main: picture 1 is missing (No Main_p1.gif): the index and short pages will show a "
            "broken image",
            "projects.txt:3: Counted Wrong: the stored picture count is 6, but picture 7 is the highest found: "
            "selecting the project makes it 7",
            "projects.txt:4: Gap: picture 2 is missing (Gap_p2.gif): the long page will show a broken image",
            "projects.txt:5: Up/Down: the name cannot be looked up as a picture file: it holds '/', '\\', a NUL or a "
            "character file names cannot hold, so its pictures are never found",
            "Thumbs: Old Name: 2 pictures (Old Name_p1.gif to Old Name_p2.gif) have no project of that name (a "
            "rename or a Delete left them); they are kept",
            "",
        }));
    QCOMPARE(entries(m_site), (QStringList{"Thumbs", "projects.txt"}));
    QCOMPARE(entries(thumbs).size(), 14);
}

void TestProgramRun::checkFindsNothingInASoundCatalogue()
{
    writeCatalogue(m_site, {{"Harbour Bridge", "", "", "", 2}, {"Café Lumière", "", "", "", 1}});
    QVERIFY(QDir().mkpath(m_site + QStringLiteral("/Thumbs")));
    for (const char *picture : {"Harbour Bridge_p1", "Harbour Bridge_p2", "Café Lumière_p1"})
        writeFile(m_site + QStringLiteral("/Thumbs/") + QString::fromUtf8(picture) + QStringLiteral(".gif"), "GIF89a");

    const Run result = run({QStringLiteral("--check"), m_site}, m_root.path());
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err, QByteArray());
}

void TestProgramRun::picturesBesideTheProgramComeFirst()
{
    // A copy of the program kept beside its own pictures, and a catalogue folder without any.
    const QString app = m_root.filePath(QStringLiteral("app"));
    QVERIFY(QDir().mkpath(app + QStringLiteral("/Thumbs")));
    const QString program = app + QStringLiteral("/project-catalogue");
    QVERIFY(QFile::copy(QStringLiteral(CATALOGUE_PROGRAM), program));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
    writeCatalogue(m_site, {{"Bridge", "", "", "", 1}});
    writeFile(app + QStringLiteral("/Thumbs/Bridge_p1.gif"), "GIF89a");

    Run result = run({QStringLiteral("--check")}, m_site, program);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray());

    // Without a Thumbs beside the program, the catalogue folder's own (here none) is the one looked in.
    QVERIFY(QDir(app + QStringLiteral("/Thumbs")).removeRecursively());
    result = run({QStringLiteral("--check")}, m_site, program);
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.out.startsWith("projects.txt:1: Bridge: picture 1 is missing"));
}

void TestProgramRun::addPicturesSkipsWhatItCannotRead()
{
    writeCatalogue(m_site, {{"Bridge", "", "", "", 1}, {"Other", "", "", "", 1}});
    writeFile(m_site + QStringLiteral("/Thumbs/Bridge_p1.gif"), "GIF89a");
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    QVERIFY(photo.save(m_site + QStringLiteral("/photo.png")));
    writeFile(m_site + QStringLiteral("/empty.jpg"), {});

    const Run result = run({"--add-pictures", "Bridge", "photo.png", "empty.jpg", "photo.png"}, m_site);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray("Thumbs/Bridge_p2.gif\nThumbs/Bridge_p3.gif\n"));
    QCOMPARE(result.err, QByteArray("These files were not made into pictures:\nempty.jpg: It is empty.\n"));
    QCOMPARE(QImage(m_site + QStringLiteral("/Thumbs/Bridge_p3.gif")).size(), QSize(160, 120));
    const QList<ProjectInfo> saved = CatalogueFormat::read(readFile(m_site + QStringLiteral("/projects.txt"))).projects;
    QCOMPARE(saved.value(0).Pics, qint16(3));
    QCOMPARE(saved.value(1).Pics, qint16(1));
}

void TestProgramRun::publishSendsWhatDiffers()
{
    writeCatalogue(m_site, {{"Bridge", "", "", "", 2}});
    writeFile(m_site + QStringLiteral("/Thumbs/Bridge_p1.gif"), "GIF89a 1");
    writeFile(m_site + QStringLiteral("/Thumbs/Bridge_p2.gif"), "GIF89a 2");
    // The destination is named from the working folder, FOLDER after it.
    const QString out = m_root.filePath(QStringLiteral("out"));
    writeFile(out + QStringLiteral("/Thumbs/Old_p1.gif"), "old");
    const QStringList publish{QStringLiteral("--publish"), QStringLiteral("out")};

    Run result = run(publish + QStringList{"--dry-run", m_site}, m_root.path());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out.count("\nnew "), 4);
    QVERIFY2(result.out.contains("unlinked Thumbs/Old_p1.gif\n"), result.out.constData());
    QCOMPARE(entries(out), QStringList{"Thumbs"});

    result = run(publish + QStringList{m_site}, m_root.path());
    QCOMPARE(result.exitCode, 0);
    for (const QString &file : PageFiles + QStringList{"Thumbs/Bridge_p2.gif"})
        QCOMPARE(readFile(out + QLatin1Char('/') + file), readFile(m_site + QLatin1Char('/') + file));
    result = run(publish + QStringList{"--delete-unlinked", m_site}, m_root.path());
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.startsWith("Nothing was sent") && result.out.endsWith("removed Thumbs/Old_p1.gif\n"),
             result.out.constData());
    QCOMPARE(entries(out + QStringLiteral("/Thumbs")), QStringList({"Bridge_p1.gif", "Bridge_p2.gif"}));

    result = run({QStringLiteral("--publish"), QStringLiteral("nowhere"), m_site}, m_root.path());
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.endsWith("does not exist.\n"), result.err.constData());
}

QTEST_GUILESS_MAIN(TestProgramRun)
#include "tst_programrun.moc"
