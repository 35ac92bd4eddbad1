#include "cataloguecheck.h"
#include "commandline.h"
#include "printabletext.h"

#include <QProcessEnvironment>
#include <QTest>

using CommandLine::Action;

Q_DECLARE_METATYPE(CommandLine::Action)
Q_DECLARE_METATYPE(CheckFinding)

class TestArguments : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void canOpenWindow_data();
    void canOpenWindow();
    void printsOneLinePerFinding_data();
    void printsOneLinePerFinding();
};

void TestArguments::parse_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program's name
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("usageError");
    QTest::addColumn<Action>("firstLook"); // before Qt's window options are taken out

    QTest::newRow("-h") << QStringList{"-h"} << Action::ShowHelp << "" << false << Action::ShowHelp;
    QTest::newRow("help wins") << QStringList{"--check", "--help", "a", "b"} << Action::ShowHelp << "" << false
                               << Action::ShowHelp;
    QTest::newRow("check, folder first") << QStringList{"site", "--check"} << Action::Check << "site" << false
                                         << Action::Check;
    QTest::newRow("both at once") << QStringList{"--check", "--build-pages"} << Action::OpenWindow << "" << true
                                  << Action::BuildPages;
    QTest::newRow("two folders") << QStringList{"--check", "a", "b"} << Action::OpenWindow << "" << true
                                 << Action::Check;
    QTest::newRow("unknown option") << QStringList{"--upload"} << Action::OpenWindow << "" << true
                                    << Action::OpenWindow;
    QTest::newRow("publish, destination then folder") << QStringList{"--publish", "me@host:site", "--dry-run", "cat"}
                                                      << Action::Publish << "cat" << false << Action::Publish;
    QTest::newRow("publish and check") << QStringList{"--publish", "out", "--check"} << Action::OpenWindow << "" << true
                                       << Action::Publish;
    QTest::newRow("a folder named like an option")
        << QStringList{"--", "--check"} << Action::OpenWindow << "--check" << false << Action::OpenWindow;
    // Qt's own option reads as an error here, but must not hide the action at the first look.
    QTest::newRow("window option") << QStringList{"-platform", "offscreen"} << Action::OpenWindow << "" << true
                                   << Action::OpenWindow;
    QTest::newRow("window option with check")
        << QStringList{"-style", "fusion", "--check"} << Action::OpenWindow << "" << true << Action::Check;
    QTest::newRow("last folder") << QStringList{"--last-folder"} << Action::OpenWindow << "" << false
                                 << Action::OpenWindow;
    QTest::newRow("add pictures") << QStringList{"--add-pictures", "Boat", "a.jpg", "b.png"} << Action::AddPictures
                                  << "" << false << Action::AddPictures;
    QTest::newRow("add pictures without a file")
        << QStringList{"--add-pictures", "Boat"} << Action::OpenWindow << "" << true << Action::AddPictures;
    // A folder dropped on the launcher.
    QTest::newRow("last folder and a FOLDER")
        << QStringList{"--last-folder", "site"} << Action::OpenWindow << "site" << false << Action::OpenWindow;
}

void TestArguments::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QString, folder);
    QFETCH(bool, usageError);
    QFETCH(Action, firstLook);

    arguments.prepend(QStringLiteral("project-catalogue"));
    const CommandLine::Request request = CommandLine::parse(arguments);
    QCOMPARE(!request.error.isEmpty(), usageError);
    if (!usageError) {
        QCOMPARE(request.action, action);
        QCOMPARE(request.folder, folder);
    }
    QCOMPARE(CommandLine::requestedAction(arguments), firstLook);
}

void TestArguments::canOpenWindow_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("canOpen");

    QTest::newRow("nothing") << QStringList() << QStringList() << false;
    QTest::newRow("X display") << QStringList{"DISPLAY=:0"} << QStringList() << true;
    QTest::newRow("Wayland") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QStringList() << true;
    QTest::newRow("empty DISPLAY") << QStringList{"DISPLAY="} << QStringList() << false;
    QTest::newRow("platform in the environment") << QStringList{"QT_QPA_PLATFORM=offscreen"} << QStringList() << true;
    QTest::newRow("-platform") << QStringList() << QStringList{"-platform", "offscreen"} << true;
    QTest::newRow("--platform") << QStringList() << QStringList{"site", "--platform", "vnc"} << true;
    QTest::newRow("-platform as a folder") << QStringList() << QStringList{"--", "-platform"} << false;
    QTest::newRow("other variables") << QStringList{"XDG_SESSION_TYPE=x11"} << QStringList{"site"} << false;
}

void TestArguments::canOpenWindow()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(bool, canOpen);

    QProcessEnvironment env;
    for (const QString &variable : environment)
        env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    arguments.prepend(QStringLiteral("project-catalogue"));
    QCOMPARE(CommandLine::canOpenWindow(arguments, env), canOpen);
}

void TestArguments::printsOneLinePerFinding_data()
{
    QTest::addColumn<CheckFinding>("finding");
    QTest::addColumn<QString>("line");

    QTest::newRow("record") << CheckFinding{3, "Harbour Bridge", "picture 1 is missing"}
                            << "projects.txt:3: Harbour Bridge: picture 1 is missing";
    QTest::newRow("forged line in the name")
        << CheckFinding{12, "A\r\nprojects.txt:9: Fake: everything is fine", "picture 1 of A\r\n"}
        << "projects.txt:12: A\\x0d\\x0aprojects.txt:9: Fake: everything is fine: picture 1 of A\\x0d\\x0a";
    QTest::newRow("terminal controls in the name") << CheckFinding{1, "\x1b[2J\x1b]0;t\a\t\x7f\u009b", "m"}
                                                   << "projects.txt:1: \\x1b[2J\\x1b]0;t\\x07\\x09\\x7f\\x9b: m";
    // Shown as they are, these would reorder the line, or break it where a terminal shows no break.
    QTest::newRow("bidirectional and invisible controls in the name")
        << CheckFinding{2, "invoice\u202Efdp.exe \u2066a\u2069 \u200E\u200F\u061C\uFEFF \u2028\u2029", "m"}
        << "projects.txt:2: invoice\\u202efdp.exe \\u2066a\\u2069 \\u200e\\u200f\\u061c\\ufeff \\u2028\\u2029: m";
    QTest::newRow("placeholders in the name") << CheckFinding{1, "%1 %2", "%3"} << "projects.txt:1: %1 %2: %3";
    QTest::newRow("whole file, two sentences")
        << CatalogueCheck::fileFinding({"Not possible to read projects.txt", "Permission denied"})
        << "projects.txt: Not possible to read projects.txt: Permission denied";
    QTest::newRow("whole file, sentence ended")
        << CatalogueCheck::fileFinding({"Only the first 32767 were loaded.", "The file is unchanged."})
        << "projects.txt: Only the first 32767 were loaded. The file is unchanged.";
    QTest::newRow("whole file, a path with a line break")
        << CatalogueCheck::fileFinding({"Not possible to read projects.txt", "The folder /a\rb no longer exists."})
        << "projects.txt: Not possible to read projects.txt: The folder /a\\x0db no longer exists.";
}

void TestArguments::printsOneLinePerFinding()
{
    QFETCH(CheckFinding, finding);
    QFETCH(QString, line);
    QCOMPARE(printableText(CatalogueCheck::formatFinding(finding)), line);
}

QTEST_GUILESS_MAIN(TestArguments)
#include "tst_arguments.moc"
