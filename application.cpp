#include "application.h"

#include "cataloguedocument.h"
#include "commandline.h"
#include "endsignals.h"
#include "folderdialog.h"
#include "mainwindow.h"
#include "messageboxservice.h"
#include "picturenames.h"
#include "printabletext.h"
#include "publishcommands.h"
#include "recentfolders.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstring>

namespace Application {

namespace {

QString pictureFolderFor(const QString &catalogueFolder)
{
    return PictureNames::pictureFolder(QCoreApplication::applicationDirPath(), catalogueFolder);
}

// Says what is wrong with the arguments and returns the exit status for it; 0 when they are sound,
// with the catalogue folder, made absolute, in `folder` for the actions that need one.
int refusal(const CommandLine::Request &request, QString &folder)
{
    QTextStream err(stderr);
    if (!request.error.isEmpty()) {
        err << CommandLine::usageErrorText(request.error);
        return CommandLine::UsageError;
    }
    if (request.action == CommandLine::Action::ShowHelp || request.action == CommandLine::Action::ShowVersion)
        return 0;
    // The folder is found once the window's application runs, from the settings or the user.
    if (request.lastFolder)
        return 0;
    QString error;
    folder = CommandLine::catalogueFolder(request.folder, error);
    if (folder.isEmpty()) {
        err << error << '\n';
        return CommandLine::UsageError;
    }
    return 0;
}

// Qt's folder dialog writes its own state into the user's settings when it closes, Cancel or not:
// the question of a menu launch keeps it in a scratch folder, so that Cancel leaves no file.
QString askForFolder()
{
    const QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    const QString folder = FolderDialog().chooseFolder(nullptr, QDir::homePath());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    return folder;
}

} // namespace

int runWithoutWindow(int &argc, char **argv)
{
    QCoreApplication app(argc, argv);
    CommandLine::setApplicationIdentity();
    const CommandLine::Request request = CommandLine::parse(QCoreApplication::arguments());
    QString folder;
    if (const int status = refusal(request, folder))
        return status;
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (request.action) {
    case CommandLine::Action::ShowHelp:
        out << CommandLine::helpText();
        return 0;
    case CommandLine::Action::ShowVersion:
        out << CommandLine::versionText();
        return 0;
    case CommandLine::Action::BuildPages:
        return PublishCommands::buildPages(folder, pictureFolderFor(folder), out, err);
    case CommandLine::Action::Check:
        return PublishCommands::check(folder, pictureFolderFor(folder), out, err);
    case CommandLine::Action::OpenWindow:
        break;
    }
    return CommandLine::UsageError; // the window's arguments never come this way
}

int refuseWithoutDisplay(const QStringList &arguments)
{
    QString folder;
    if (const int status = refusal(CommandLine::parse(arguments), folder))
        return status;
    QTextStream(stderr) << CommandLine::noDisplayText();
    return CommandLine::Failed;
}

int runWindow(int &argc, char **argv)
{
    // Qt takes its own options (-platform, -reverse...) wherever they stand, so it is shown only the
    // arguments before "--": after it, each one is a FOLDER or an error, never an option of Qt's.
    int qtArgc = std::min(argc, 1);
    while (qtArgc < argc && std::strcmp(argv[qtArgc], "--") != 0)
        ++qtArgc;
    QStringList afterQtOptions;
    for (int i = qtArgc; i < argc; ++i)
        afterQtOptions.append(QString::fromLocal8Bit(argv[i]));

    QGuiApplication::setDesktopFileName(QStringLiteral(CATALOGUE_APP_ID));
    QApplication app(qtArgc, argv);
    CommandLine::setApplicationIdentity();
    QApplication::setApplicationDisplayName(QStringLiteral("Project Management"));
    QIcon icon;
    for (const int size : {CATALOGUE_ICON_SIZES})
        icon.addFile(QStringLiteral(":/icons/project-catalogue-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    // The application has taken its own options out of the arguments it was shown.
    const CommandLine::Request request = CommandLine::parse(QCoreApplication::arguments() + afterQtOptions);
    QString folder;
    if (const int status = refusal(request, folder))
        return status;
    // A start from the desktop's menu has the home folder, or wherever the desktop was started,
    // as its working directory: it never makes a catalogue there without being told.
    if (request.lastFolder) {
        folder = RecentFolders().last();
        if (folder.isEmpty())
            folder = askForFolder();
        if (folder.isEmpty())
            return 0;
    }
    // The window works in the catalogue folder, where projects.txt goes by its bare name.
    if (!QDir::setCurrent(folder)) {
        QTextStream(stderr)
            << QStringLiteral("%1: cannot enter %2\n").arg(CommandLine::ProgramName, printableText(folder));
        return CommandLine::UsageError;
    }

    CatalogueDocument document;
    MessageBoxService messages;
    Main window(document, messages);
    messages.setParent(&window);
    // A signal ends the program at once, with its status as a shell reports one, and asks nothing:
    // what is unsaved is in the journal the next opening offers back.
    EndSignals ending;
    QObject::connect(&ending, &EndSignals::ending, &window, [&window](int signal) { window.endNow(128 + signal); });
    // Any message of the start-up is shown before the window itself.
    if (!window.openFolder(folder))
        return CommandLine::Failed;
    // One that came while a start-up message was shown ended its box, not the program.
    if (ending.received() != 0)
        return 128 + ending.received();
    window.show();
    return app.exec();
}

} // namespace Application
