#include "catalogue.h"
#include "catalogueformat.h"
#include "messageservice.h"
#include "projectsfile.h"
#include "safefile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "testfiles.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

class RecordingMessages : public MessageService
{
public:
    void showMessage(const QString &text) override { shown.append(text); }
    QStringList shown;
};

const QByteArray FirstRun = "\"Name:\",\"New\"\r\n\"Location:\",\"New\"\r\n\"Short Description:\",\"New\"\r\n"
                            "\"Long Description:\",\"New\"\r\n\"Total Pictures:\",1\r\n";
const QString SaveFailedLine = QStringLiteral("message Not possible to Save Project Information\\rCheck for write protection");

ProjectInfo named(const QString &name)
{
    ProjectInfo p;
    p.Name = name;
    p.Pics = 2;
    return p;
}

// Runs the step program in `dir`, as the unprivileged user when asked, and returns its output lines.
QStringList runSteps(const QString &dir, const QStringList &steps, bool unprivileged = false)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    if (unprivileged)
        startAsNobody(process, QStringLiteral(CATALOGUE_STEPS), steps);
    else
        process.start(QStringLiteral(CATALOGUE_STEPS), steps);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {QStringLiteral("failed: ") + QString::fromLocal8Bit(process.readAllStandardError())};
    return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size());
}

// A folder the unprivileged user owns, inside a scratch folder it may enter.
QString unprivilegedFolder(const QTemporaryDir &scratch)
{
    const QString dir = scratch.filePath(QStringLiteral("work"));
    QDir().mkpath(dir);
    QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                              | QFile::ReadOther | QFile::ExeOther);
    if (!giveToNobody(dir))
        return {};
    return dir;
}

} // namespace

class TestProjectsFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("projects.txt"));
        QFile::remove(m_path);
        m_messages.shown.clear();
    }

    void firstRunCreatesTheFile()
    {
        Catalogue catalogue;
        catalogue.assign({named("left over")});
        LoadProjects(catalogue, m_messages, m_path);
        QCOMPARE(m_messages.shown, QStringList{QStringLiteral("No existing file, creating projects.txt")});
        QCOMPARE(catalogue.Projects(), (QList<ProjectInfo>{ProjectInfo{"New", "New", "New", "New", 1}}));
        QCOMPARE(readFile(m_path), FirstRun);
        QCOMPARE(readFile(m_path).size(), 110);
    }

    void existingFileReplacesTheCatalogue_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("first-run file") << FirstRun << 1;
        QTest::newRow("two records") << FirstRun + FirstRun << 2;
    }

    void existingFileReplacesTheCatalogue()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        writeFile(m_path, file);
        Catalogue catalogue;
        catalogue.assign({named("a"), named("b"), named("c")});
        LoadProjects(catalogue, m_messages, m_path);
        QCOMPARE(catalogue.LastProject(), qint16(count - 1));
        QCOMPARE(m_messages.shown, QStringList());
        QCOMPARE(readFile(m_path), file);
    }

    void folderInPlaceOfTheFile()
    {
        QVERIFY(QDir().mkdir(m_path));
        Catalogue catalogue;
        LoadProjects(catalogue, m_messages, m_path);
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY(m_messages.shown.first().startsWith(QStringLiteral("Not possible to read projects.txt\r")));
        QCOMPARE(catalogue.LastProject(), qint16(-1));

        catalogue.assign({named("A")});
        QVERIFY(!SaveProjects(catalogue, m_messages, m_path));
        QCOMPARE(m_messages.shown.last(), ProjectsMessages::SaveFailed);
        QCOMPARE(catalogue.Projects(), QList<ProjectInfo>{named("A")});
        QVERIFY(QFileInfo(m_path).isDir());
        QVERIFY(QDir().rmdir(m_path));
    }

    void tooManyRecordsAreReportedNotLost()
    {
        QByteArray file;
        for (int i = 0; i < Catalogue::MaxProjects + 2; ++i)
            file += "\"Name:\",\"P\"\r\n";
        writeFile(m_path, file);
        Catalogue catalogue;
        LoadProjects(catalogue, m_messages, m_path);
        QCOMPARE(catalogue.LastProject(), qint16(32766));
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY(m_messages.shown.first().contains(QStringLiteral("2 more projects")));
        QCOMPARE(readFile(m_path), file);
    }

    void savesAreCompleteAndRepeatable()
    {
        Catalogue catalogue;
        QVERIFY(SaveProjects(catalogue, m_messages, m_path));
        QCOMPARE(readFile(m_path), QByteArray());

        catalogue.assign({named("A"), ProjectInfo{"B", "x,y", "\"q\"", "1\r\n2", -1}});
        QVERIFY(SaveProjects(catalogue, m_messages, m_path));
        const QByteArray first = readFile(m_path);
        QVERIFY(SaveProjects(catalogue, m_messages, m_path));
        QCOMPARE(readFile(m_path), first);
        QCOMPARE(m_messages.shown, QStringList());
        QCOMPARE(first, CatalogueFormat::write(catalogue.Projects()));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"projects.txt"});
    }

    void saveKeepsWhatTheOldFileWas_data()
    {
        QTest::addColumn<QString>("linkChain"); // links from projects.txt to the real file, nearest first
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("keptMode");

        QTest::newRow("private file") << QString() << 0600 << 0600;
        QTest::newRow("group-readable file") << QString() << 0640 << 0640;
        QTest::newRow("set-user-ID file") << QString() << 04755 << 0755;
        QTest::newRow("link to a file elsewhere") << QStringLiteral("../real/projects.txt") << 0644 << 0644;
        QTest::newRow("link to a link") << QStringLiteral("hop.txt,../real/projects.txt") << 0604 << 0604;
    }

    void saveKeepsWhatTheOldFileWas()
    {
        QFETCH(QString, linkChain);
        QFETCH(int, mode);
        QFETCH(int, keptMode);
        QTemporaryDir scratch;
        const QString work = scratch.filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(work));
        QVERIFY(QDir().mkpath(scratch.filePath(QStringLiteral("real"))));
        const QString path = work + QStringLiteral("/projects.txt");
        const QString real = linkChain.isEmpty() ? path : scratch.filePath(QStringLiteral("real/projects.txt"));
        writeFile(real, "old");
        QVERIFY(QFile::setPermissions(real, QFileDevice::Permissions(0)));
        QVERIFY(::chmod(QFile::encodeName(real).constData(), mode_t(mode)) == 0);
        QString from = path;
        for (const QString &to : linkChain.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            QVERIFY(::symlink(QFile::encodeName(to).constData(), QFile::encodeName(from).constData()) == 0);
            from = work + QLatin1Char('/') + to;
        }

        Catalogue catalogue;
        catalogue.assign({named("A")});
        QVERIFY(SaveProjects(catalogue, m_messages, path));
        QCOMPARE(m_messages.shown, QStringList());
        QCOMPARE(readFile(real), CatalogueFormat::write(catalogue.Projects()));
        struct stat saved;
        QVERIFY(::stat(QFile::encodeName(real).constData(), &saved) == 0);
        QCOMPARE(int(saved.st_mode & 07777), keptMode);
        QCOMPARE(QFileInfo(path).isSymLink(), !linkChain.isEmpty());
        QCOMPARE(QDir(work).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 1 + linkChain.count(QLatin1Char(',')));
        QCOMPARE(QDir(scratch.filePath(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden).size(),
                 linkChain.isEmpty() ? 0 : 1);
    }

    void newFileGetsTheUsualPermissions()
    {
        const mode_t mask = ::umask(022);
        Catalogue catalogue;
        catalogue.assign({named("A")});
        const bool saved = SaveProjects(catalogue, m_messages, m_path);
        ::umask(mask);
        QVERIFY(saved);
        struct stat file;
        QVERIFY(::stat(QFile::encodeName(m_path).constData(), &file) == 0);
        QCOMPARE(int(file.st_mode & 07777), 0644);
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
            const QString error = writeFileSafely(m_path, [&](QIODevice &file) { return file.write("new", 3) == 3 && writes; });
            QCOMPARE(error.isEmpty(), writes);
        }
        QTRY_COMPARE(openDescriptors(), before);
        QCOMPARE(readFile(m_path), writes ? QByteArray("new") : QByteArray("old"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"projects.txt"});
    }

    void largeSaveWithoutThreads()
    {
#ifdef __SANITIZE_THREAD__
        QSKIP("ThreadSanitizer's runtime needs a thread of its own, which the limit forbids");
#endif
        // More than the writer's megabyte, where it would write on a second thread.
        QTemporaryDir scratch;
        const QString dir = unprivilegedFolder(scratch);
        QVERIFY(!dir.isEmpty());
        const QStringList output = runSteps(dir, {"load", "add", "12000", "nothreads", "save", "count"}, true);
        QCOMPARE(output, (QStringList{"message No existing file, creating projects.txt", "saved", "projects 12001"}));
        Catalogue same;
        same.assign({ProjectInfo{"New", "New", "New", "New", 1}});
        for (int i = 0; i < 12000; ++i)
            same.AddProject(same.LastProject());
        const QByteArray expected = CatalogueFormat::write(same.Projects());
        QVERIFY(expected.size() > (1 << 20));
        QCOMPARE(readFile(dir + QStringLiteral("/projects.txt")), expected);
    }

    void unreadableFileIsLeftAlone()
    {
        QTemporaryDir scratch;
        const QString dir = unprivilegedFolder(scratch);
        QVERIFY(!dir.isEmpty());
        const QString path = dir + QStringLiteral("/projects.txt");
        writeFile(path, FirstRun);
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        QVERIFY(giveToNobody(path));

        const QStringList output = runSteps(dir, {"load", "count"}, true);
        QCOMPARE(output.size(), 2);
        QVERIFY2(output.at(0).startsWith(QStringLiteral("message Not possible to read projects.txt\\r")),
                 qPrintable(output.at(0)));
        QCOMPARE(output.at(1), QStringLiteral("projects 0"));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(readFile(path), FirstRun);
    }

    void saveFailuresKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("protection");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("projectsInFile");

        // Each case fails once, shows the message once, keeps the catalogue, and where the fault
        // can be lifted within the run, saves afterwards.
        QTest::newRow("write-protected file")
            << "file" << QStringList{"load", "add", "save", "count", "unprotect", "save", "count"}
            << QStringList{"not saved", "projects 2", "saved", "projects 2"} << 2;
        QTest::newRow("write-protected folder")
            << "folder" << QStringList{"load", "add", "save", "count"} << QStringList{"not saved", "projects 2"} << 1;
        QTest::newRow("full disk")
            << "fsize" << QStringList{"load", "add", "add", "fsize", "150", "save", "count", "nofsize", "save"}
            << QStringList{"not saved", "projects 3", "saved"} << 3;
    }

    void saveFailuresKeepTheOldFile()
    {
        QFETCH(QString, protection);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QFETCH(int, projectsInFile);

        QTemporaryDir scratch;
        const QString dir = unprivilegedFolder(scratch);
        QVERIFY(!dir.isEmpty());
        const QString path = dir + QStringLiteral("/projects.txt");
        writeFile(path, FirstRun);
        QVERIFY(giveToNobody(path));
        if (protection == QLatin1String("file"))
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther));
        if (protection == QLatin1String("folder"))
            QVERIFY(chown(QFile::encodeName(dir).constData(), 0, 0) == 0);

        const QStringList output = runSteps(dir, steps, true);
        QStringList results;
        for (const QString &line : output) {
            if (line.startsWith(QLatin1String("message ")))
                QCOMPARE(line, SaveFailedLine);
            else
                results.append(line);
        }
        QCOMPARE(results, expected);
        QCOMPARE(output.count(SaveFailedLine), 1);

        Catalogue saved;
        RecordingMessages ignored;
        LoadProjects(saved, ignored, path);
        QCOMPARE(saved.LastProject() + 1, projectsInFile);
        if (projectsInFile == 1)
            QCOMPARE(readFile(path), FirstRun);
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{"projects.txt"});
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    RecordingMessages m_messages;
};

QTEST_APPLESS_MAIN(TestProjectsFile)
#include "tst_projectsfile.moc"
