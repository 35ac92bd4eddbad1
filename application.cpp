#include "application.h"

#include "catalogue.h"
#include "commandline.h"
#include "mainwindow.h"
#include "messageboxservice.h"
#include "picturenames.h"
#include "publishcommands.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QTextStream>

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
    QString error;
    folder = CommandLine::catalogueFolder(request.folder, error);
    if (folder.isEmpty()) {
        err << error << '\n';
        return CommandLine::UsageError;
    }
    return 0;
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
        return PublishCommands::buildPages(folder, out, err);
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

int runWindow(int &argc, char **argv, const std::function<void(Main &)> &prepare)
{
    QGuiApplication::setDesktopFileName(QStringLiteral(CATALOGUE_APP_ID));
    QApplication app(argc, argv);
    CommandLine::setApplicationIdentity();
    QApplication::setApplicationDisplayName(QStringLiteral("Project Management"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/project-catalogue-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    // The application has taken its own options (-platform, -style...) out of the arguments.
    const CommandLine::Request request = CommandLine::parse(QCoreApplication::arguments());
    QString folder;
    if (const int status = refusal(request, folder))
        return status;
    // The window opens projects.txt and writes the pages by their bare names.
    if (!QDir::setCurrent(folder)) {
        QTextStream(stderr) << QStringLiteral("project-catalogue: cannot enter %1\n").arg(folder);
        return CommandLine::UsageError;
    }

    Catalogue catalogue;
    MessageBoxService messages;
    Main window(catalogue, messages, pictureFolderFor(folder));
    messages.setParent(&window);
    if (prepare)
        prepare(window);
    // Any message of the start-up is shown before the window itself.
    window.StartUp();
    window.show();
    return app.exec();
}

} // namespace Application
