#include "application.h"

#include "cataloguedocument.h"
#include "destination.h"
#include "commandline.h"
#include "endsignals.h"
#include "folderdialog.h"
#include "lastfolder.h"
#include "mainwindow.h"
#include "messageboxservice.h"
#include "picturecommands.h"
#include "picturenames.h"
#include "publishcommands.h"
#include "settingsfolder.h"
#include "workingfolder.h"
#include "translations.h"

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

// Pictures beside the program come first; the catalogue folder is the working folder by then.
QString pictureFolder()
{
    return PictureNames::pictureFolder(QCoreApplication::applicationDirPath(), QStringLiteral("."));
}

QList<QByteArray> rawArguments(int argc, char **argv)
{
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    return arguments;
}

QStringList decoded(const QList<QByteArray> &arguments)
{
    QStringList texts;
    for (const QByteArray &argument : arguments)
        texts.append(QString::fromLocal8Bit(argument));
    return texts;
}

// Says what is wrong with the arguments and returns the exit status for it; 0 when they are sound,
// with the catalogue folder, found by the bytes of its name in `arguments`, the working folder for
// the actions that need one.
int refusal(const CommandLine::Request &request, const QList<QByteArray> &arguments)
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
    if (!CommandLine::enterCatalogueFolder(CommandLine::folderBytes(arguments), error)) {
        err << error << '\n';
        return CommandLine::UsageError;
    }
    return 0;
}

// Qt's folder dialog writes its own state into the user's settings when it closes, Cancel or not:
// the question of a menu launch keeps it in a scratch folder, so that Cancel leaves no file.
class MenuLaunchFolders : public FolderChooser
{
public:
    QString chooseFolder(QWidget *parent, const QString &start) override
    {
        const QTemporaryDir scratch;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
        QString folder = FolderDialog().chooseFolder(parent, start);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        return folder;
    }
};

// What was dropped on the launcher: a folder, or a file in the catalogue folder (its projects.txt).
QByteArray droppedFolder(const QByteArray &dropped)
{
    if (dropped.isEmpty() || WorkingFolder::isFolder(dropped) || !WorkingFolder::exists(dropped))
        return dropped;
    const qsizetype slash = dropped.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : dropped.left(slash);
}

} // namespace

int runWithoutWindow(int &argc, char **argv)
{
    const QList<QByteArray> arguments = rawArguments(argc, argv);
    QCoreApplication app(argc, argv);
    CommandLine::setApplicationIdentity();
    Translations::install(app, Translations::userLocale());
    const CommandLine::Request request = CommandLine::parse(QCoreApplication::arguments());
    // A destination folder is named from where the program was started, not from FOLDER.
    const Destination destination = Destination::parse(request.destination);
    const QString destinationText = destination.kind == Destination::Kind::Folder && !request.destination.isEmpty()
        ? QDir::current().absoluteFilePath(request.destination)
        : request.destination;
    if (const int status = refusal(request, arguments))
        return status;
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The catalogue folder is the working folder, whose name need not be UTF-8.
    const QString folder = QStringLiteral(".");
    switch (request.action) {
    case CommandLine::Action::ShowHelp:
        out << CommandLine::helpText();
        return 0;
    case CommandLine::Action::ShowVersion:
        out << CommandLine::versionText();
        return 0;
    case CommandLine::Action::BuildPages:
        return PublishCommands::buildPages(folder, pictureFolder(), out, err);
    case CommandLine::Action::Check:
        return PublishCommands::check(folder, pictureFolder(), out, err);
    case CommandLine::Action::AddPictures:
        return PictureCommands::addPictures(folder, pictureFolder(), request.project, request.files, out, err);
    case CommandLine::Action::Publish:
        return PublishCommands::publish(folder, pictureFolder(), destinationText, request.dryRun,
                                        request.deleteUnlinked, out, err);
    case CommandLine::Action::OpenWindow:
        break;
    }
    return CommandLine::UsageError; // the window's arguments never come this way
}

int refuseWithoutDisplay(int argc, char **argv)
{
    const QList<QByteArray> arguments = rawArguments(argc, argv);
    // Only for its translations: nothing here needs an event loop.
    QCoreApplication app(argc, argv);
    Translations::install(app, Translations::userLocale());
    if (const int status = refusal(CommandLine::parse(decoded(arguments)), arguments))
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
    const QList<QByteArray> afterQtOptions = rawArguments(argc, argv).mid(qtArgc);

    QGuiApplication::setDesktopFileName(QStringLiteral(CATALOGUE_APP_ID));
    QApplication app(qtArgc, argv);
    CommandLine::setApplicationIdentity();
    Translations::install(app, Translations::userLocale());
    QApplication::setApplicationDisplayName(QCoreApplication::translate("Application", "Project Management"));
    QIcon icon;
    for (const int size : {CATALOGUE_ICON_SIZES})
        icon.addFile(QStringLiteral(":/icons/project-catalogue-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    // The application has taken its own options out of the arguments it was shown.
    const CommandLine::Request request = CommandLine::parse(QCoreApplication::arguments() + decoded(afterQtOptions));
    if (const int status = refusal(request, rawArguments(qtArgc, argv) + afterQtOptions))
        return status;
    SettingsFolder::carryOver(SettingsFolder::earlierFolder());
    MessageBoxService messages;
    // A start from the desktop's menu has the home folder, or wherever the desktop was started,
    // as its working directory: it never makes a catalogue there without being told.
    bool startsCatalogue = false;
    if (request.lastFolder) {
        MenuLaunchFolders folders;
        if (!LastFolder::enter(messages, folders,
                               droppedFolder(CommandLine::folderBytes(rawArguments(qtArgc, argv) + afterQtOptions)),
                               &startsCatalogue))
            return 0;
    }

    // The window works in the catalogue folder, where projects.txt goes by its bare name.
    CatalogueDocument document;
    Main window(document, messages);
    messages.setParent(&window);
    // A signal ends the program at once, with its status as a shell reports one, and asks nothing:
    // what is unsaved is in the journal the next opening offers back.
    EndSignals ending;
    QObject::connect(&ending, &EndSignals::ending, &window, [&window](int signal) { window.endNow(128 + signal); });
    // Any message of the start-up is shown before the window itself.
    if (!window.openFolder(QByteArrayLiteral("."), startsCatalogue))
        return CommandLine::Failed;
    // One that came while a start-up message was shown ended its box, not the program.
    if (ending.received() != 0)
        return 128 + ending.received();
    window.show();
    return app.exec();
}

} // namespace Application
