#include "cataloguedocument.h"
#include "catalogueformat.h"
#include "messages.h"
#include "processlimits.h"
#include "recoveryjournal.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

const QString SaveFailedLine =
    QStringLiteral("message Not possible to Save Project Information\\rCheck for write protection");

// Save All as the window runs it on the document, what it would show appended to `shown`; a
// question is answered Cancel.
bool saveProjects(CatalogueDocument &document, QStringList &shown)
{
    const SaveResult saved = document.save();
    if (!saved.saved())
        shown.append(saved.message);
    return saved.saved();
}

// The window's load at start-up, and the first run's save after it.
void loadProjects(CatalogueDocument &document, QStringList &shown)
{
    const LoadResult loaded = document.load();
    shown += loaded.messages;
    if (loaded.firstSaveDue())
        saveProjects(document, shown);
}

ProjectInfo named(const QString &name)
{
    ProjectInfo p;
    p.Name = name;
    p.Pics = 2;
    return p;
}

// Runs the step program in `dir`, as the unprivileged user when asked, and returns its output lines.
// While it waits at a "wait" step, a second one runs the steps `meanwhile` there, as another window.
QStringList runSteps(const QString &dir, const QStringList &steps, bool unprivileged = false,
                     const QStringList &meanwhile = {})
{
    QProcess process;
    process.setWorkingDirectory(dir);
    if (unprivileged)
        startAsNobody(process, QStringLiteral(CATALOGUE_STEPS), steps);
    else
        process.start(QStringLiteral(CATALOGUE_STEPS), steps);
    if (steps.contains(QStringLiteral("wait")) && process.waitForReadyRead(30000)) {
        runSteps(dir, meanwhile, unprivileged);
        process.write("\n");
    }
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {QStringLiteral("failed: ") + QString::fromLocal8Bit(process.readAllStandardError())};
    return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Every extended attribute of the file, ACLs included, as getfattr lists them.
QByteArray attributesOf(const QString &path)
{
    QProcess dump;
    dump.start(QStringLiteral("getfattr"), {"--dump", "--match=-", "--absolute-names", path});
    dump.waitForFinished();
    return dump.readAllStandardOutput();
}

// A folder the unprivileged user owns, inside a scratch folder it may enter.
QString unprivilegedFolder(const QTemporaryDir &scratch)
{
    const QString dir = scratch.filePath(QStringLiteral("work"));
    QDir().mkpath(dir);
    QFile::setPermissions(scratch.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
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
        m_shown.clear();
    }

    // The journal of unsaved edits, written and read back, replays on the file they were made
    // against to the very catalogue, texts byte for byte; a changed file is not that file.
    void journalReplaysTheEdits_data()
    {
        QTest::addColumn<QString>("steps"); // insert, swap, text, remove, undo, save, changed file
        QTest::addColumn<int>("entries");
        QTest::newRow("every kind") << "istr" << 4;
        QTest::newRow("undo noted as the edit back") << "tiu" << 3;
        QTest::newRow("undo past a save") << "tSu" << 1;
        QTest::newRow("undo to the saved catalogue") << "tu" << 0;
        QTest::newRow("file changed since") << "tc" << 1;
    }

    void journalReplaysTheEdits()
    {
        QFETCH(QString, steps);
        QFETCH(int, entries);
        const QString odd = QStringLiteral("a\0b\r\n\"c\",") + QChar(0xD800) + QStringLiteral("\U0001F600 \u00e4");
        writeFile(m_path, CatalogueFormat::write({named("a"), named("b")}));
        CatalogueDocument document(m_dir.path());
        document.load();
        QList<CatalogueEdit> done;
        for (const QChar step : steps) {
            const Catalogue &catalogue = document.catalogue();
            CatalogueEdit edit = step == 'i' ? CatalogueEdit::insert(1, named(odd))
                : step == 'r'                ? CatalogueEdit::remove(0, catalogue.at(0))
                : step == 's'                ? CatalogueEdit::swapWithNext(0)
                              : CatalogueEdit::setField(1, Field::LongDesc, catalogue.at(1).LongDesc, odd);
            if (step == 'u')
                QVERIFY(document.undo(done.takeLast()));
            else if (step == 'S')
                QCOMPARE(document.save(), SaveResult());
            else if (step != 'c')
                QVERIFY(document.perform(edit) && (done.append(edit), true));
        }
        const RecoveryJournal journal = document.recoveryJournal();
        QCOMPARE(journal.entries.size(), entries);
        const QTemporaryDir elsewhere;
        QCOMPARE(journal.write(elsewhere.filePath("journal")), QString());
        const std::optional<RecoveryJournal> read = RecoveryJournal::read(elsewhere.filePath("journal"));
        QVERIFY(read && *read == journal && !RecoveryJournal::decode(journal.encode().chopped(1)));

        if (steps.endsWith('c'))
            writeFile(m_path, readFile(m_path).replace("\"b\"", "\"B\""));
        CatalogueDocument replayed(m_dir.path());
        replayed.load();
        QCOMPARE(read->madeAgainst(replayed.fileIdentity()), !steps.endsWith('c'));
        for (RecoveryEntry entry : read->entries)
            QVERIFY(replayed.perform(entry.edit, entry.madeAt));
        QVERIFY(steps.endsWith('c') || replayed.recoveryJournal() == journal);
        QVERIFY(steps.endsWith('c') || replayed.catalogue().Projects() == document.catalogue().Projects());
    }

    // Two folder names that are not UTF-8 decode alike; their journals must not.
    void journalKeepsFoldersApartByTheirBytes()
    {
        const QByteArray home = QFile::encodeName(QDir::currentPath());
        QStringList names;
        for (const char *name : {"/caf\xe9", "/caf\xe8"}) {
            const QByteArray folder = QFile::encodeName(m_dir.path()) + name;
            QVERIFY(::mkdir(folder.constData(), 0700) == 0 && ::chdir(folder.constData()) == 0);
            names.append(RecoveryJournal::fileNameFor(CatalogueDocument().journalFolder()));
        }
        QVERIFY(::chdir(home.constData()) == 0);
        // QDir cannot spell these names to remove them.
        for (const char *name : {"/caf\xe9", "/caf\xe8"})
            ::rmdir((QFile::encodeName(m_dir.path()) + name).constData());
        QVERIFY(names.at(0) != names.at(1));
    }

    void firstRunCreatesTheFile()
    {
        CatalogueDocument document(m_dir.path());
        document.catalogue().assign({named("left over")});
        const LoadResult loaded = document.load();
        QCOMPARE(loaded.messages, QStringList{QStringLiteral("No existing file, creating projects.txt")});
        QCOMPARE(document.catalogue().Projects(), (QList<ProjectInfo>{ProjectInfo{"New", "New", "New", "New", 1}}));
        // The window says so before the file is made: the caller saves.
        QVERIFY(loaded.firstSaveDue() && !QFileInfo::exists(m_path));
        QCOMPARE(document.save(), SaveResult());
        QCOMPARE(readFile(m_path), FirstRunFile);
        QCOMPARE(readFile(m_path).size(), 110);
    }

    void existingFileReplacesTheCatalogue_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        QTest::newRow("empty file") << QByteArray() << 0 << none;
        QTest::newRow("first-run file") << FirstRunFile << 1 << none;
        QTest::newRow("two records") << FirstRunFile + FirstRunFile << 2 << none;
        QTest::newRow("blank lines only") << QByteArray(" \r\n\r\n\t\r\n") << 0 << none;
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + FirstRunFile << 1 << none;
        // Nothing in it could be read, so nothing of it may be lost unseen: the user is told, and
        // the file stays as it is until Save All.
        const QStringList noRecord{QStringLiteral(
            "projects.txt holds no project that could be read.\rThe file is unchanged until you press Save All.")};
        static const char elf[] = "\x7F"
                                  "ELF\x02\x01\x01\0\0\0\x03\0>\0";
        static const char utf16[] = "\"\0N\0a\0m\0e\0:\0\"\0,\0\"\0A\0\"\0";
        QTest::newRow("binary file") << QByteArray(elf, sizeof elf - 1) << 0 << noRecord;
        QTest::newRow("UTF-16 without a byte-order mark") << QByteArray(utf16, sizeof utf16 - 1) << 0 << noRecord;
    }

    void existingFileReplacesTheCatalogue()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(QStringList, messages);
        writeFile(m_path, file);
        CatalogueDocument document(m_dir.path());
        document.catalogue().assign({named("a"), named("b"), named("c")});
        loadProjects(document, m_shown);
        QCOMPARE(document.catalogue().LastProject(), qint16(count - 1));
        QCOMPARE(m_shown, messages);
        QCOMPARE(readFile(m_path), file);
        // A catalogue saved unchanged is the file it was read from; text it kept nothing of is
        // replaced only when the user agrees.
        QCOMPARE(saveProjects(document, m_shown), messages.isEmpty());
        QVERIFY(count == 0 && messages.isEmpty() ? m_shown.isEmpty() : readFile(m_path) == file);
        QVERIFY(messages.isEmpty()
                || m_shown.last()
                    == "projects.txt holds no project that could be read.\rReplacing it loses what it holds.");
    }

    // Whatever stands in the file's place, the start-up goes on at once and says why it could not
    // read it; a run that hangs fails here at the time limit instead.
    void startUpNeverWaitsOnAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("reason");

        const QStringList load{"load", "count"};
        QTest::newRow("FIFO") << "fifo" << load << "projects.txt is not a plain file.";
        QTest::newRow("link to /dev/zero") << "/dev/zero" << load << "projects.txt is not a plain file.";
        QTest::newRow("link to /dev/urandom") << "/dev/urandom" << load << "projects.txt is not a plain file.";
        QTest::newRow("link to nowhere") << "nowhere" << load << "No such file or directory.";
        QTest::newRow("working folder deleted")
            << "gone" << QStringList{"leavefolder", "load", "count"} << "The working folder no longer exists.";
    }

    void startUpNeverWaitsOnAFile()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, steps);
        QFETCH(QString, reason);
        QTemporaryDir scratch;
        const QString dir = scratch.filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(dir));
        const QByteArray path = QFile::encodeName(dir + QStringLiteral("/projects.txt"));
        if (kind == QLatin1String("fifo"))
            QVERIFY(::mkfifo(path.constData(), 0644) == 0);
        else if (kind != QLatin1String("gone"))
            QVERIFY(::symlink(QFile::encodeName(kind).constData(), path.constData()) == 0);

        const QStringList output = runSteps(dir, steps);
        QCOMPARE(output,
                 (QStringList{QStringLiteral("message Not possible to read projects.txt\\r") + reason,
                              QStringLiteral("projects 0")}));
        if (kind != QLatin1String("gone"))
            QVERIFY(!QFileInfo(QString::fromLocal8Bit(path)).isFile());
    }

    // What a read of the file finds, as the window's start-up and the command line see it.
    void readSaysWhatItFound_data()
    {
        QTest::addColumn<QString>("kind"); // what stands at projects.txt
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<int>("projects");
        QTest::addColumn<bool>("noProject");
        QTest::addColumn<bool>("byteOrderMark");
        QTest::addColumn<QString>("reason");

        QTest::newRow("nothing") << "none" << QByteArray() << false << true << 0 << false << false
                                 << "No such file or directory.";
        QTest::newRow("link to nowhere") << "dangling" << QByteArray() << false << false << 0 << false << false
                                         << "No such file or directory.";
        QTest::newRow("folder") << "folder" << QByteArray() << false << false << 0 << false << false
                                << "It is a folder, not a file.";
        QTest::newRow("empty file") << "file" << QByteArray() << true << false << 0 << false << false << QString();
        QTest::newRow("blank lines") << "file" << QByteArray("\r\n \r\n") << true << false << 0 << false << false
                                     << QString();
        QTest::newRow("two records") << "file" << FirstRunFile + FirstRunFile << true << false << 2 << false << false
                                     << QString();
        QTest::newRow("byte-order mark") << "file"
                                         << "\xEF\xBB\xBF" + FirstRunFile << true << false << 1 << false << true
                                         << QString();
        QTest::newRow("text but no project")
            << "file" << QByteArray("no catalogue\r\n") << true << false << 0 << true << false << QString();
    }

    void readSaysWhatItFound()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, read);
        QFETCH(bool, missing);
        QFETCH(int, projects);
        QFETCH(bool, noProject);
        QFETCH(bool, byteOrderMark);
        QFETCH(QString, reason);
        if (kind == QLatin1String("file"))
            writeFile(m_path, bytes);
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(m_path));
        else if (kind == QLatin1String("dangling"))
            QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("gone.txt")), m_path));

        CatalogueFile file(m_path);
        QCOMPARE(file.read(), read);
        const bool folder = QFileInfo(m_path).isDir();
        QVERIFY(folder ? QDir().rmdir(m_path) : !QFileInfo::exists(m_path) || QFile::remove(m_path));
        QCOMPARE(file.isMissing(), missing);
        QCOMPARE(file.projects().size(), projects);
        QCOMPARE(file.holdsNoProject(), noProject);
        QCOMPARE(file.encoding(), byteOrderMark ? FileEncoding::Utf8WithByteOrderMark : FileEncoding::Plain);
        QCOMPARE(file.errorString(), reason);
        QCOMPARE(file.droppedRecords(), 0);
        // Taken, the projects are the caller's; the file keeps none.
        QCOMPARE(file.takeProjects().size(), projects);
        QVERIFY(file.projects().isEmpty());
    }

    void folderInPlaceOfTheFile()
    {
        QVERIFY(QDir().mkdir(m_path));
        CatalogueDocument document(m_dir.path());
        Catalogue &catalogue = document.catalogue();
        loadProjects(document, m_shown);
        QCOMPARE(m_shown.size(), 1);
        QVERIFY(m_shown.first().startsWith(QStringLiteral("Not possible to read projects.txt\r")));
        QCOMPARE(catalogue.LastProject(), qint16(-1));

        catalogue.assign({named("A")});
        QVERIFY(!saveProjects(document, m_shown));
        QCOMPARE(m_shown.last(), Messages::SaveFailed + QStringLiteral("\rprojects.txt is not a plain file."));
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
        CatalogueDocument document(m_dir.path());
        loadProjects(document, m_shown);
        QCOMPARE(document.catalogue().LastProject(), qint16(32766));
        QCOMPARE(m_shown.size(), 1);
        QVERIFY(m_shown.first().contains(QStringLiteral("2 more projects")));
        QCOMPARE(readFile(m_path), file);
    }

    void savesAreCompleteAndRepeatable()
    {
        CatalogueDocument document(m_dir.path());
        Catalogue &catalogue = document.catalogue();
        QVERIFY(saveProjects(document, m_shown));
        QCOMPARE(readFile(m_path), QByteArray());

        catalogue.assign({named("A"), ProjectInfo{"B", "x,y", "\"q\"", "1\r\n2", -1}});
        QVERIFY(saveProjects(document, m_shown));
        const QByteArray first = readFile(m_path);
        QVERIFY(saveProjects(document, m_shown));
        QCOMPARE(readFile(m_path), first);
        QCOMPARE(m_shown, QStringList());
        QCOMPARE(first, CatalogueFormat::write(catalogue.Projects()));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"projects.txt"});
    }

    void saveKeepsWhatTheOldFileWas_data()
    {
        QTest::addColumn<QString>("linkChain"); // links from projects.txt to the real file, nearest first
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("keptMode");
        QTest::addColumn<bool>("othersFile"); // owned by "nobody", saved by root

        QTest::newRow("private file") << QString() << 0600 << 0600 << false;
        QTest::newRow("group-readable file") << QString() << 0640 << 0640 << false;
        QTest::newRow("set-user-ID file") << QString() << 04755 << 0755 << false;
        QTest::newRow("link to a file elsewhere") << QStringLiteral("../real/projects.txt") << 0644 << 0644 << false;
        QTest::newRow("link to a link") << QStringLiteral("hop.txt,../real/projects.txt") << 0604 << 0604 << false;
        QTest::newRow("another user's file") << QString() << 0660 << 0660 << true;
        QTest::newRow("another user's file through a link")
            << QStringLiteral("../real/projects.txt") << 0600 << 0600 << true;
        QTest::newRow("shared file through a link") << QStringLiteral("../real/projects.txt") << 0660 << 0660 << false;
    }

    void saveKeepsWhatTheOldFileWas()
    {
        QFETCH(QString, linkChain);
        QFETCH(int, mode);
        QFETCH(int, keptMode);
        QFETCH(bool, othersFile);
        if (othersFile && !runningAsRoot())
            QSKIP("Only root may save a file that another user owns and keep it theirs");
        QTemporaryDir scratch;
        const QString work = scratch.filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(work));
        QVERIFY(QDir().mkpath(scratch.filePath(QStringLiteral("real"))));
        const QString path = work + QStringLiteral("/projects.txt");
        const QString real = linkChain.isEmpty() ? path : scratch.filePath(QStringLiteral("real/projects.txt"));
        writeFile(real, "old");
        QVERIFY(QFile::setPermissions(real, QFileDevice::Permissions(0)));
        QVERIFY(::chmod(QFile::encodeName(real).constData(), mode_t(mode)) == 0);
        struct stat before;
        QVERIFY(!othersFile || giveToNobody(real));
        QVERIFY(::stat(QFile::encodeName(real).constData(), &before) == 0);
        // Extended attributes, and an ACL within what the group may already do, as other tools leave them.
        QVERIFY(::setxattr(QFile::encodeName(real).constData(), "user.note", "kept", 4, 0) == 0);
        if (mode & 040)
            QCOMPARE(QProcess::execute(QStringLiteral("setfacl"),
                                       {QStringLiteral("-m"), QStringLiteral("u:nobody:r"), real}),
                     0);
        const QByteArray attributes = attributesOf(real);
        QVERIFY(attributes.contains(mode & 040 ? "system.posix_acl_access" : "user.note"));
        QString from = path;
        for (const QString &to : linkChain.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            QVERIFY(::symlink(QFile::encodeName(to).constData(), QFile::encodeName(from).constData()) == 0);
            from = work + QLatin1Char('/') + to;
        }

        CatalogueDocument document(work);
        document.catalogue().assign({named("A")});
        QVERIFY(saveProjects(document, m_shown));
        QCOMPARE(m_shown, QStringList());
        QCOMPARE(readFile(real), CatalogueFormat::write(document.catalogue().Projects()));
        struct stat saved;
        QVERIFY(::stat(QFile::encodeName(real).constData(), &saved) == 0);
        QCOMPARE(int(saved.st_mode & 07777), keptMode);
        QCOMPARE(saved.st_uid, before.st_uid);
        QCOMPARE(saved.st_gid, before.st_gid);
        QCOMPARE(attributesOf(real), attributes);
        QCOMPARE(QFileInfo(path).isSymLink(), !linkChain.isEmpty());
        QCOMPARE(QDir(work).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                 1 + linkChain.count(QLatin1Char(',')));
        QCOMPARE(QDir(scratch.filePath(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden).size(),
                 linkChain.isEmpty() ? 0 : 1);
    }

    void newFileGetsTheUsualPermissions()
    {
        const mode_t mask = ::umask(022);
        CatalogueDocument document(m_dir.path());
        document.catalogue().assign({named("A")});
        const bool saved = saveProjects(document, m_shown);
        ::umask(mask);
        QVERIFY(saved);
        struct stat file;
        QVERIFY(::stat(QFile::encodeName(m_path).constData(), &file) == 0);
        QCOMPARE(int(file.st_mode & 07777), 0644);
    }

    // The reason travels with the failure, in words; the window shows its fixed message, the
    // command line the reason too.
    void failedWritesSayWhy_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << "fsize"
                                   << "File too large";
        QTest::newRow("folder in the file's place") << "folder"
                                                    << "projects.txt is not a plain file.";
        QTest::newRow("folder deleted") << "gone"
                                        << " no longer exists.";
        QTest::newRow("link to a FIFO") << "fifo link"
                                        << "projects.txt is a link to something that is not a plain file; it was "
                                           "left as it is.";
    }

    void failedWritesSayWhy()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir scratch;
        const QString dir = scratch.filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + QStringLiteral("/projects.txt");
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        if (kind == QLatin1String("gone"))
            QVERIFY(QDir().rmdir(dir));
        if (kind == QLatin1String("fifo link"))
            QVERIFY(::mkfifo(QFile::encodeName(path + ".fifo").constData(), 0600) == 0
                    && QFile::link(path + ".fifo", path));
        // Beyond the limit, but under the megabyte at which the writer would start a thread.
        const QList<ProjectInfo> projects(100, ProjectInfo{"Name", "Location", "Short", QString(500, u'x'), 1});
        CatalogueFile file(path);
        bool written = true;
        {
            std::optional<FileSizeLimit> full;
            if (kind == QLatin1String("fsize"))
                QVERIFY(full.emplace(4096).active());
            written = file.write(projects, FileEncoding::Plain, FileIdentity());
        }
        const QString error = file.errorString();
        QVERIFY(!written);
        QVERIFY2(error.endsWith(reason), qPrintable(error));
        QVERIFY(!error.contains(QStringLiteral("Unknown error")));
        QCOMPARE(file.refused(), kind != QLatin1String("fsize") && kind != QLatin1String("gone"));
        QVERIFY(!QFileInfo(path).isFile());
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
        writeFile(path, FirstRunFile);
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        QVERIFY(giveToNobody(path));

        const QStringList output = runSteps(dir, {"load", "count"}, true);
        QCOMPARE(output.size(), 2);
        QVERIFY2(output.at(0).startsWith(QStringLiteral("message Not possible to read projects.txt\\r")),
                 qPrintable(output.at(0)));
        QCOMPARE(output.at(1), QStringLiteral("projects 0"));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(readFile(path), FirstRunFile);
    }

    void saveFailuresKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("protection");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("meanwhile"); // another window's steps while the first one waits
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("projectsInFile");

        // Each case fails once, shows the message once, keeps the catalogue, and where the fault
        // can be lifted within the run, saves afterwards.
        const QStringList none;
        QTest::newRow("write-protected file")
            << "file" << QStringList{"load", "add", "save", "count", "unprotect", "save", "count"} << none
            << QStringList{SaveFailedLine, "not saved", "projects 2", "saved", "projects 2"} << 2;
        QTest::newRow("write-protected folder") << "folder" << QStringList{"load", "add", "save", "count"} << none
                                                << QStringList{SaveFailedLine, "not saved", "projects 2"} << 1;
        QTest::newRow("full disk") << "fsize" << QStringList{"load", "add",   "add",     "fsize", "150",
                                                             "save", "count", "nofsize", "save"}
                                   << none << QStringList{SaveFailedLine, "not saved", "projects 3", "saved"} << 3;
        // What the start-up could not read, or another window saved since, is replaced only when
        // the user says so.
        const QString unread = "message Not possible to read projects.txt\\rPermission denied.";
        const QString unreadLoss =
            "question projects.txt could not be read (Permission denied).\\rReplacing it loses what it holds.";
        QTest::newRow("unreadable file kept")
            << "unreadable" << QStringList{"load", "save"} << none << QStringList{unread, unreadLoss, "not saved"} << 1;
        QTest::newRow("unreadable file replaced") << "unreadable" << QStringList{"load", "replace", "save"} << none
                                                  << QStringList{unread, unreadLoss, "saved"} << 0;
        const QStringList other{"load", "add", "add", "save"};
        const QString changed = "question projects.txt was changed by another program after it was "
                                "read.\\rReplacing it loses those changes.";
        QTest::newRow("other window's save kept") << "" << QStringList{"load", "add", "wait", "save"} << other
                                                  << QStringList{"waiting", changed, "not saved"} << 3;
        QTest::newRow("other window saved the same")
            << "" << QStringList{"load", "add", "wait", "save"} << QStringList{"load", "save"}
            << QStringList{"waiting", "saved"} << 2;
        // The other name keeps the old text.
        const QString otherName = "question projects.txt has another name (a hard link).\\rSaving gives "
                                  "projects.txt a file of its own, and the other name keeps the old text.";
        QTest::newRow("hard link separated") << "hard link" << QStringList{"load", "add", "replace", "save"} << none
                                             << QStringList{otherName, "saved"} << 2;
    }

    void saveFailuresKeepTheOldFile()
    {
        QFETCH(QString, protection);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, meanwhile);
        QFETCH(QStringList, expected);
        QFETCH(int, projectsInFile);

        QTemporaryDir scratch;
        const QString dir = unprivilegedFolder(scratch);
        QVERIFY(!dir.isEmpty());
        const QString path = dir + QStringLiteral("/projects.txt");
        writeFile(path, FirstRunFile);
        QVERIFY(giveToNobody(path));
        if (protection == QLatin1String("file"))
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther));
        if (protection == QLatin1String("folder"))
            QVERIFY(chown(QFile::encodeName(dir).constData(), 0, 0) == 0);
        if (protection == QLatin1String("unreadable"))
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        const QString otherName = scratch.filePath(QStringLiteral("other.txt"));
        if (protection == QLatin1String("hard link"))
            QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(otherName).constData()) == 0);

        QCOMPARE(runSteps(dir, steps, true, meanwhile), expected);

        CatalogueDocument saved(dir);
        saved.load();
        QCOMPARE(saved.catalogue().LastProject() + 1, projectsInFile);
        if (projectsInFile == 1)
            QCOMPARE(readFile(path), FirstRunFile);
        if (protection == QLatin1String("hard link"))
            QCOMPARE(readFile(otherName), FirstRunFile);
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{"projects.txt"});
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    QStringList m_shown;
};

QTEST_MAIN(TestProjectsFile)
#include "tst_projectsfile.moc"
