// What the program reported saved survives a power cut: for every file that Save All or Build
// Pages replaces, the system calls show the new data flushed before it takes the file's name, the
// folder flushed after that, and the success reported only after both.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "testfiles.h"

namespace {

struct Call
{
    QString name;
    QStringList args;
    long result = -1;
};

// The arguments of one traced call, split at the commas outside strings and brackets.
QStringList splitArguments(const QString &text)
{
    QStringList args;
    QString current;
    int depth = 0;
    bool inString = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inString) {
            current += c;
            if (c == u'\\' && i + 1 < text.size())
                current += text.at(++i);
            else if (c == u'"')
                inString = false;
        } else if (c == u'"') {
            inString = true;
            current += c;
        } else if (c == u'{' || c == u'[') {
            ++depth;
            current += c;
        } else if (c == u'}' || c == u']') {
            --depth;
            current += c;
        } else if (c == u',' && depth == 0) {
            args.append(current.trimmed());
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.trimmed().isEmpty())
        args.append(current.trimmed());
    return args;
}

QString unquoted(const QString &arg)
{
    return arg.startsWith(u'"') ? arg.mid(1, arg.lastIndexOf(u'"') - 1) : arg;
}

// strace -f output, with calls that another thread interrupted joined up again.
QList<Call> parseTrace(const QString &log)
{
    static const QRegularExpression pid(QStringLiteral("^\\[pid\\s+(\\d+)\\]\\s*|^(\\d+)\\s+"));
    static const QRegularExpression call(QStringLiteral("^(\\w+)\\((.*)\\)\\s+=\\s+(-?\\d+)"));
    QHash<QString, QString> pending;
    QList<Call> calls;
    for (QString line : log.split(u'\n', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch who = pid.match(line);
        const QString id = who.hasMatch() ? who.captured(1) + who.captured(2) : QString();
        line = line.mid(who.capturedLength());
        if (line.endsWith(QStringLiteral("<unfinished ...>"))) {
            pending[id] = line.chopped(16);
            continue;
        }
        static const QRegularExpression resumed(QStringLiteral("^<\\.\\.\\. \\w+ resumed>"));
        const QRegularExpressionMatch again = resumed.match(line);
        if (again.hasMatch())
            line = pending.take(id) + line.mid(again.capturedLength());
        const QRegularExpressionMatch m = call.match(line);
        if (m.hasMatch())
            calls.append({m.captured(1), splitArguments(m.captured(2)), m.captured(3).toLong()});
    }
    return calls;
}

QString folderOf(const QString &path)
{
    return path.contains(u'/') ? QFileInfo(path).path() : QStringLiteral(".");
}

} // namespace

class TestDurableSaves : public QObject
{
    Q_OBJECT

private:
    // Checks the calls that put `target` in place; the success line is `success` on stdout.
    static void checkReplace(const QList<Call> &calls, const QString &target, const QString &success)
    {
        // The call that gives the new file the target's name.
        int named = -1;
        QString from;
        for (int i = 0; i < calls.size(); ++i) {
            const Call &c = calls.at(i);
            if (c.result != 0)
                continue;
            if (c.name == QLatin1String("rename") && QFileInfo(unquoted(c.args.value(1))).fileName() == target) {
                named = i;
                from = unquoted(c.args.value(0));
            } else if (c.name == QLatin1String("linkat") && QFileInfo(unquoted(c.args.value(3))).fileName() == target) {
                named = i;
                from = unquoted(c.args.value(1));
            }
        }
        QVERIFY2(named >= 0, qPrintable(target + QStringLiteral(" was never put in place")));
        const QString destination = calls.at(named).name == QLatin1String("rename")
            ? unquoted(calls.at(named).args.value(1))
            : unquoted(calls.at(named).args.value(3));

        // Which descriptor held the new data: named from /proc/self/fd/N, or opened under its temporary name.
        for (int i = named - 1; i >= 0 && !from.startsWith(QLatin1String("/proc/self/fd/")); --i) {
            const Call &c = calls.at(i);
            if (c.name == QLatin1String("linkat") && c.result == 0 && unquoted(c.args.value(3)) == from)
                from = unquoted(c.args.value(1));
        }
        QString descriptor = from.mid(QStringLiteral("/proc/self/fd/").size());
        if (!from.startsWith(QLatin1String("/proc/self/fd/"))) {
            for (int i = named - 1; i >= 0 && descriptor.isEmpty(); --i) {
                if (calls.at(i).name == QLatin1String("openat") && unquoted(calls.at(i).args.value(1)) == from)
                    descriptor = QString::number(calls.at(i).result);
            }
        }
        QVERIFY2(!descriptor.isEmpty(), qPrintable(QStringLiteral("no descriptor found for ") + target));

        // Its data reached the disk after its last write and before it took the name.
        int flushed = -1;
        for (int i = named - 1; i >= 0; --i) {
            const Call &c = calls.at(i);
            if (c.name == QLatin1String("openat") && QString::number(c.result) == descriptor)
                break;
            if (c.args.value(0) != descriptor)
                continue;
            if ((c.name == QLatin1String("fdatasync") || c.name == QLatin1String("fsync")) && c.result == 0
                && flushed < 0)
                flushed = i;
            if (c.name == QLatin1String("write") || c.name == QLatin1String("pwrite64"))
                break;
        }
        QVERIFY2(flushed >= 0,
                 qPrintable(target + QStringLiteral(": data not flushed after its last write and before its rename")));

        // Then the folder holding the name reached the disk, and only then was success reported.
        int folderFlushed = -1;
        QString folderDescriptor;
        for (int i = named + 1; i < calls.size() && folderFlushed < 0; ++i) {
            const Call &c = calls.at(i);
            if (c.name == QLatin1String("openat") && c.args.value(2).contains(QLatin1String("O_DIRECTORY"))
                && unquoted(c.args.value(1)) == folderOf(destination))
                folderDescriptor = QString::number(c.result);
            else if (c.name == QLatin1String("fsync") && c.result == 0 && c.args.value(0) == folderDescriptor)
                folderFlushed = i;
        }
        QVERIFY2(folderFlushed >= 0, qPrintable(target + QStringLiteral(": folder not flushed after the rename")));

        int reported = -1;
        for (int i = 0; i < calls.size() && reported < 0; ++i) {
            if (calls.at(i).name == QLatin1String("write") && calls.at(i).args.value(0) == QLatin1String("1")
                && unquoted(calls.at(i).args.value(1)).startsWith(success))
                reported = i;
        }
        QVERIFY2(reported > folderFlushed,
                 qPrintable(target + QStringLiteral(": success reported before the flushes")));
    }

private slots:
    void flushedBeforeReported_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("oldFiles");
        QTest::addColumn<QStringList>("targets");
        QTest::addColumn<QString>("success");

        const QStringList pages{"projects_index.htm", "projects_short.htm", "projects_long.htm"};
        QTest::newRow("Save All over the old file")
            << CATALOGUE_STEPS << QStringList{"load", "add", "save"} << true << QStringList{"projects.txt"} << "saved";
        QTest::newRow("Save All making the file")
            << CATALOGUE_STEPS << QStringList{"add", "save"} << false << QStringList{"projects.txt"} << "saved";
        QTest::newRow("Build Pages over old pages") << PUBLISH_PAGES_TOOL << QStringList() << true << pages << "ok";
        QTest::newRow("Build Pages making the pages") << PUBLISH_PAGES_TOOL << QStringList() << false << pages << "ok";
    }

    void flushedBeforeReported()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(bool, oldFiles);
        QFETCH(QStringList, targets);
        QFETCH(QString, success);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // The pages are built from projects.txt, which Save All replaces only when it was there.
        if (oldFiles || program == QLatin1String(PUBLISH_PAGES_TOOL))
            writeFile(dir.filePath(QStringLiteral("projects.txt")), FirstRunFile);
        if (oldFiles) {
            for (const QString &target : targets)
                writeFile(dir.filePath(target), FirstRunFile);
        }

        const QString log = dir.filePath(QStringLiteral("strace.log"));
        QProcess process;
        process.setWorkingDirectory(dir.path());
        // The leak checker of sanitizer builds cannot run under a tracer.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("strace"),
                      QStringList{"-f", "-qq", "-s", "256", "-o", log, "-e",
                                  "trace=openat,write,pwrite64,fdatasync,fsync,rename,renameat,renameat2,linkat"}
                          + QStringList{program} + arguments);
        QVERIFY2(process.waitForFinished(60000), "the traced program did not finish");
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        QVERIFY(process.readAllStandardOutput().contains(success.toUtf8()));

        const QList<Call> calls = parseTrace(QString::fromUtf8(readFile(log)));
        for (const QString &target : targets) {
            checkReplace(calls, target, success);
            if (QTest::currentTestFailed())
                return;
        }
    }
};

QTEST_APPLESS_MAIN(TestDurableSaves)
#include "tst_durablesaves.moc"
