#include "cataloguedocument.h"
#include "catalogueformat.h"
#include "pages.h"
#include "sample_catalogue.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "testfiles.h"

#include <csignal>

namespace {

constexpr int Kills = 50;
constexpr int Projects = 1500; // about a megabyte a file, so a kill often lands mid-write

// The program driven in `dir`/catalogue (see driven_program.cpp) with its settings in `dir`/config.
void startProgram(QProcess &program, const QTemporaryDir &dir, const QStringList &variables)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &variable :
         variables + QStringList{"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + dir.filePath("config")})
        env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(dir.filePath(QStringLiteral("catalogue")));
    program.start(QStringLiteral(DRIVEN_PROGRAM));
}

int journals(const QTemporaryDir &dir)
{
    return int(QDir(dir.filePath("config/project-catalogue/recovery")).entryList(QDir::Files).size());
}

} // namespace

// A writer killed at any moment leaves each file either whole-old or whole-new, never in between.
class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    // The program ended by a signal or a kill with an edit unsaved offers it at the next start, and
    // restores it as it was.
    void endedProgramOffersTheEdits_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("waitMs");
        QTest::addColumn<QString>("typing");
        QTest::addColumn<QString>("answer");
        QTest::newRow("kill -9 1.5 s after a stored edit") << int(SIGKILL) << 1500 << QString() << "Restore";
        QTest::newRow("SIGTERM while typing")
            << int(SIGTERM) << 0 << QStringLiteral("Typed \u00e9t\u00e9") << "Restore";
        QTest::newRow("SIGHUP") << int(SIGHUP) << 0 << QString() << "Restore";
        QTest::newRow("SIGINT while typing") << int(SIGINT) << 0 << QStringLiteral("Typed") << "Restore";
        QTest::newRow("SIGTERM, then Discard") << int(SIGTERM) << 0 << QString() << "Discard";
    }

    void endedProgramOffersTheEdits()
    {
        QFETCH(int, signal);
        QFETCH(int, waitMs);
        QFETCH(QString, typing);
        QFETCH(QString, answer);
        QTemporaryDir dir;
        QList<ProjectInfo> expected = sampleCatalogue(3, 1);
        const QString file = dir.filePath(QStringLiteral("catalogue/projects.txt"));
        writeFile(file, CatalogueFormat::write(expected));
        const QByteArray original = readFile(file);
        expected[0].Name = QStringLiteral("Renamed \"quoted\" \u00c4");
        expected[0].Location = typing.isEmpty() ? expected[0].Location : typing;

        QProcess edited;
        startProgram(edited, dir, {"CATALOGUE_NAME=" + expected[0].Name, "CATALOGUE_TYPING=" + typing});
        QVERIFY(edited.waitForReadyRead(30000) && edited.readAll().startsWith("stored"));
        QThread::msleep(ulong(waitMs));
        ::kill(pid_t(edited.processId()), signal);
        QVERIFY(edited.waitForFinished(30000));
        QVERIFY(signal == SIGKILL || edited.exitCode() == 128 + signal);
        QCOMPARE(readFile(file), original);
        QCOMPARE(journals(dir), 1);

        QProcess restored;
        startProgram(restored, dir, {"CATALOGUE_ANSWER=" + answer, "CATALOGUE_SAVE=1"});
        QVERIFY(restored.waitForFinished(30000));
        const QByteArray out = restored.readAll();
        QVERIFY2(out.contains(typing.isEmpty() ? "recovered (1 edit).\\nRestore them?" : "recovered (2 edits)"),
                 out.constData());
        CatalogueDocument saved(dir.filePath(QStringLiteral("catalogue")));
        saved.load();
        QCOMPARE(saved.catalogue().Projects(), answer == "Restore" ? expected : sampleCatalogue(3, 1));
        QCOMPARE(journals(dir), 0);
    }

    void killedWritersLoseNothing_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("Save All") << "save" << QStringList{"projects.txt"};
        QTest::newRow("Build Pages") << "pages" << Pages::FileNames;
    }

    void killedWritersLoseNothing()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, files);

        QList<QByteArray> versions[2];
        for (int variant = 1; variant <= 2; ++variant) {
            const QList<ProjectInfo> projects = sampleCatalogue(Projects, variant);
            if (mode == QLatin1String("save"))
                versions[variant - 1] = {CatalogueFormat::write(projects)};
            else
                versions[variant - 1] = {Pages::BuildIndexPage(projects), Pages::BuildShortPage(projects),
                                         Pages::BuildLongPage(projects)};
        }

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (int f = 0; f < files.size(); ++f) {
            QFile file(dir.filePath(files.at(f)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(versions[0].at(f));
        }

        // Kills are spread over the time the writer itself takes for three writes on this machine
        // now, so that they land before, during and after complete writes.
        qint64 window = 0;
        {
            QProcess writer;
            writer.setWorkingDirectory(dir.path());
            writer.start(QStringLiteral(WRITER_LOOP), {mode, QString::number(Projects)});
            QVERIFY(writer.waitForReadyRead(30000) && writer.readLine().startsWith("ready"));
            QElapsedTimer timer;
            timer.start();
            for (int written = 0; written < 3;) {
                QVERIFY(writer.canReadLine() || writer.waitForReadyRead(30000));
                while (writer.canReadLine())
                    written += writer.readLine().startsWith("written") ? 1 : 0;
            }
            window = timer.nsecsElapsed() / 1000;
            writer.kill();
            QVERIFY(writer.waitForFinished(30000));
        }
        for (int f = 0; f < files.size(); ++f)
            QVERIFY(readFile(dir.filePath(files.at(f))) == versions[0].at(f));

        QRandomGenerator random(20261207);
        int replaced = 0;
        int strays = 0;
        for (int kill = 0; kill < Kills; ++kill) {
            QProcess writer;
            writer.setWorkingDirectory(dir.path());
            writer.start(QStringLiteral(WRITER_LOOP), {mode, QString::number(Projects)});
            QVERIFY(writer.waitForReadyRead(30000));
            QThread::usleep(ulong(random.bounded(window)));
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(30000));

            for (int f = 0; f < files.size(); ++f) {
                const QByteArray now = readFile(dir.filePath(files.at(f)));
                const bool whole = now == versions[0].at(f) || now == versions[1].at(f);
                QVERIFY2(whole,
                         qPrintable(QStringLiteral("kill %1: %2 holds %3 bytes, neither version")
                                        .arg(kill)
                                        .arg(files.at(f))
                                        .arg(now.size())));
                if (now == versions[1].at(f))
                    ++replaced;
            }
            // A kill between naming the finished temporary file and putting it in place leaves
            // that file beside the page; never one that is half-written.
            const QStringList found = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
            for (const QString &name : found) {
                if (files.contains(name))
                    continue;
                const int f = int(files.indexOf(name.section(u'.', 0, -2)));
                QVERIFY2(f >= 0, qPrintable(QStringLiteral("kill %1 left %2").arg(kill).arg(name)));
                const QByteArray stray = readFile(dir.filePath(name));
                QVERIFY2(stray == versions[0].at(f) || stray == versions[1].at(f),
                         qPrintable(QStringLiteral("kill %1 left %2, half-written").arg(kill).arg(name)));
                QVERIFY(QFile::remove(dir.filePath(name)));
                ++strays;
            }
        }
        // Some kills must land after a write completed, or the old file was all that was ever seen.
        QVERIFY(replaced > 0);
        qInfo("%d kills within %lld us of the start; new versions seen %d times; %d finished temporary "
              "files left beside them",
              Kills, window, replaced, strays);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
