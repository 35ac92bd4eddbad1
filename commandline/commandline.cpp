#include "commandline.h"

#include "printabletext.h"
#include "workingfolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QProcessEnvironment>

#include <utility>

namespace CommandLine {

namespace {

struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QCoreApplication::translate("CommandLine", "Shows this help and ends.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QCoreApplication::translate("CommandLine", "Shows the version and ends.")};
    QCommandLineOption buildPages{
        QStringLiteral("build-pages"),
        QCoreApplication::translate("CommandLine",
                                    "Builds projects_index.htm, projects_short.htm and projects_long.htm in "
                                    "FOLDER from its projects.txt, without a window or a display, and prints the "
                                    "paths of the three pages. The pages are those of opening the window and "
                                    "pressing Build Pages at once: as selecting the first project at start-up "
                                    "does, its picture count is first set to the highest of its pictures 2 to 9 "
                                    "found, when there is one; the other counts are used as stored.")};
    QCommandLineOption check{
        QStringLiteral("check"),
        QCoreApplication::translate("CommandLine",
                                    "Reports what would make the published pages wrong, one line per finding "
                                    "(projects.txt:RECORD: Name: message), without a window or a display: "
                                    "missing pictures, stored picture counts that differ from the pictures "
                                    "found, names that cannot be looked up, "
                                    "a projects.txt that could not be read whole, and pictures in "
                                    "Thumbs that no project's name leads to (Thumbs: Name: message: "
                                    "left by a rename or a Delete, and kept).")};
    QCommandLineOption addPictures{
        QStringLiteral("add-pictures"),
        QCoreApplication::translate("CommandLine",
                                    "Makes a picture of each FILE (JPEG, PNG, BMP, GIF; WebP and TIFF with Qt's "
                                    "image-format plugins; HEIC/HEIF through libheif) and adds it after the last "
                                    "picture of the project named PROJECT, in the catalogue of the working "
                                    "directory: turned upright, scaled to fit 180 x 120, at most 256 colours, "
                                    "written as Thumbs/PROJECT_pK.gif. The project's picture count is saved to "
                                    "projects.txt. A file that cannot be made into a picture is named with the "
                                    "reason on standard error and skipped; the others are still added, and the "
                                    "exit status is 1."),
        QCoreApplication::translate("CommandLine", "PROJECT")};
    QCommandLineOption publish{
        QStringLiteral("publish"),
        QCoreApplication::translate(
            "CommandLine",
            "Builds the pages as --build-pages does, then sends to DESTINATION the pictures the "
            "pages link (Thumbs/) and, last, the three pages: only the files whose content "
            "differs from what DESTINATION holds. DESTINATION is a folder, [user@]host:path or "
            "ssh://[user@]host[:port]/path (the system's ssh, with rsync where the host has it, "
            "sftp where it has not; ssh asks for passwords and host keys in the terminal). "
            "Prints what is sent, the findings of --check, and the files under DESTINATION/Thumbs "
            "that no page links any more, which are left as they are."),
        QCoreApplication::translate("CommandLine", "DESTINATION")};
    QCommandLineOption dryRun{
        QStringLiteral("dry-run"),
        QCoreApplication::translate("CommandLine",
                                    "With --publish: prints what would be sent and what is unlinked, and "
                                    "sends nothing (the pages are still built).")};
    QCommandLineOption deleteUnlinked{
        QStringLiteral("delete-unlinked"),
        QCoreApplication::translate(
            "CommandLine",
            "With --publish: after the upload, removes the files under DESTINATION/Thumbs that no "
            "page links, printing each; nothing else is ever removed.")};
    QCommandLineOption lastFolder{
        QStringLiteral("last-folder"),
        QCoreApplication::translate(
            "CommandLine",
            "Opens the window the desktop's way: on FOLDER, a folder (or a file in one) dropped "
            "on the launcher, or else on the catalogue folder opened last, instead of the working "
            "directory; the first time, or when that folder is gone, asks for a folder, and "
            "ends without writing anything when none is chosen; a folder that cannot be "
            "entered is named with the reason, and another is asked for; a folder without "
            "projects.txt is asked about before one is written there. The desktop menu "
            "starts the program so.")};
};

void describe(QCommandLineParser &parser, const Options &options)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine",
                                    "Keeps a catalogue of projects and publishes it as three linked web pages.\n"
                                    "Without an option it opens the window on the catalogue in FOLDER; the "
                                    "window needs a display."));
    parser.addOptions({options.help, options.version, options.buildPages, options.check, options.addPictures,
                       options.publish, options.dryRun, options.deleteUnlinked, options.lastFolder});
    parser.addPositionalArgument(
        QCoreApplication::translate("CommandLine", "FOLDER"),
        QCoreApplication::translate("CommandLine",
                                    "The catalogue folder: projects.txt is read and saved there, and the pages "
                                    "are written there. The default is the working directory. With "
                                    "--add-pictures: the photo FILEs instead."),
        QCoreApplication::translate("CommandLine", "[FOLDER]"));
}

Action actionOf(const QCommandLineParser &parser, const Options &options)
{
    if (parser.isSet(options.help))
        return Action::ShowHelp;
    if (parser.isSet(options.version))
        return Action::ShowVersion;
    if (parser.isSet(options.publish))
        return Action::Publish;
    if (parser.isSet(options.buildPages))
        return Action::BuildPages;
    if (parser.isSet(options.check))
        return Action::Check;
    if (parser.isSet(options.addPictures))
        return Action::AddPictures;
    return Action::OpenWindow;
}

[[maybe_unused]] bool isSetIn(const QProcessEnvironment &environment, const QString &name)
{
    return !environment.value(name).isEmpty();
}

} // namespace

Request parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);
    Request request;
    if (!parser.parse(arguments)) {
        request.error = parser.errorText();
        return request;
    }
    request.action = actionOf(parser, options);
    if (request.action == Action::ShowHelp || request.action == Action::ShowVersion)
        return request;
    if (parser.isSet(options.buildPages) && parser.isSet(options.check)) {
        request.error =
            QCoreApplication::translate("CommandLine", "--build-pages and --check cannot be given together.");
        return request;
    }
    if (parser.isSet(options.publish) && (parser.isSet(options.buildPages) || parser.isSet(options.check))) {
        request.error = QStringLiteral("--publish builds the pages itself; it cannot be given with --build-pages "
                                       "or --check.");
        return request;
    }
    request.destination = parser.value(options.publish);
    request.dryRun = parser.isSet(options.dryRun);
    request.deleteUnlinked = parser.isSet(options.deleteUnlinked);
    if ((request.dryRun || request.deleteUnlinked) && request.action != Action::Publish) {
        request.error = QStringLiteral("--dry-run and --delete-unlinked are given with --publish.");
        return request;
    }
    const QStringList folders = parser.positionalArguments();
    request.lastFolder = parser.isSet(options.lastFolder);
    if (parser.isSet(options.addPictures)) {
        if (parser.isSet(options.buildPages) || parser.isSet(options.check) || request.lastFolder)
            request.error =
                QStringLiteral("--add-pictures cannot be given with --build-pages, --check or --last-folder.");
        else if (folders.isEmpty())
            request.error = QStringLiteral("--add-pictures needs a FILE to make a picture of.");
        request.project = parser.value(options.addPictures);
        request.files = folders;
        return request;
    }
    if (request.lastFolder && request.action != Action::OpenWindow)
        request.error = QCoreApplication::translate(
            "CommandLine", "--last-folder opens the window; it cannot be given with --build-pages or --check.");
    else if (folders.size() > 1)
        request.error = QCoreApplication::translate("CommandLine", "Only one FOLDER can be given.");
    else
        request.folder = folders.value(0);
    return request;
}

Action requestedAction(const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);
    parser.parse(arguments);
    return actionOf(parser, options);
}

bool canOpenWindow(const QStringList &arguments, const QProcessEnvironment &environment)
{
#if !defined(Q_OS_UNIX) || defined(Q_OS_DARWIN) || defined(Q_OS_ANDROID)
    // Windows, macOS and Android have one display, always there.
    Q_UNUSED(arguments);
    Q_UNUSED(environment);
    return true;
#else
    if (isSetIn(environment, QStringLiteral("DISPLAY")) || isSetIn(environment, QStringLiteral("WAYLAND_DISPLAY"))
        || isSetIn(environment, QStringLiteral("QT_QPA_PLATFORM")))
        return true;
    // Qt takes its own options with one dash or two.
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            return true;
    }
    return false;
#endif
}

QByteArray folderBytes(const QList<QByteArray> &arguments)
{
    // Its other arguments are files, and its catalogue is the working directory's.
    for (const QByteArray &argument : arguments.mid(1)) {
        if (argument == "--")
            break;
        if (argument.startsWith("--add-pictures") || argument.startsWith("-add-pictures"))
            return {};
    }
    // As the parser tells them apart: after "--" every argument is a FOLDER, before it every one
    // that starts with a dash is an option, a lone dash aside.
    bool optionsEnded = false;
    bool valueNext = false;
    for (const QByteArray &argument : arguments.mid(1)) {
        if (std::exchange(valueNext, false))
            continue;
        if (!optionsEnded && (argument == "--publish" || argument == "-publish"))
            valueNext = true; // DESTINATION, not the FOLDER
        else if (!optionsEnded && argument == "--")
            optionsEnded = true;
        else if (optionsEnded || !argument.startsWith('-') || argument.size() == 1)
            return argument;
    }
    return {};
}

bool enterCatalogueFolder(const QByteArray &given, QString &error)
{
    const QByteArray folder = given.isEmpty() ? QByteArray(".") : given;
    if (!WorkingFolder::exists(folder)) {
        error = QCoreApplication::translate("CommandLine", "%1: no such folder: %2")
                    .arg(ProgramName, printableFileName(folder));
        return false;
    }
    if (!WorkingFolder::isFolder(folder)) {
        error = QCoreApplication::translate("CommandLine", "%1: not a folder: %2")
                    .arg(ProgramName, printableFileName(folder));
        return false;
    }
    QString reason;
    if (!WorkingFolder::enter(folder, reason)) {
        error = QCoreApplication::translate("CommandLine", "%1: cannot enter %2")
                    .arg(ProgramName, printableFileName(folder));
        return false;
    }
    return true;
}

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(ProgramName);
    QCoreApplication::setApplicationVersion(QStringLiteral(CATALOGUE_VERSION));
    // The settings folder goes by the organization's name: ~/.config/project-catalogue/.
    QCoreApplication::setOrganizationName(ProgramName);
    QCoreApplication::setOrganizationDomain(QStringLiteral(CATALOGUE_DOMAIN));
}

QString helpText()
{
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);
    // Qt names the program as it was started; the help and the manual page name it as installed.
    QString text = parser.helpText();
    text.replace(0, text.indexOf(QLatin1Char('\n')),
                 QCoreApplication::translate("CommandLine", "Usage: %1 [options] [FOLDER]").arg(ProgramName));
    return text;
}

QString versionText()
{
    return QStringLiteral("%1 %2\n").arg(ProgramName, QStringLiteral(CATALOGUE_VERSION));
}

QString usageErrorText(const QString &error)
{
    return QCoreApplication::translate("CommandLine", "%1: %2\nTry '%1 --help' for more information.\n")
        .arg(ProgramName, printableText(error));
}

QString noDisplayText()
{
    return QCoreApplication::translate("CommandLine",
                                       "%1: the window needs a display, and none is set (DISPLAY, "
                                       "WAYLAND_DISPLAY); --build-pages and --check work without one.\n")
        .arg(ProgramName);
}

QString messageLines(const QString &message)
{
    // Only our own carriage return breaks the line: the second sentence may quote a path.
    const qsizetype end = message.indexOf(QLatin1Char('\r'));
    if (end < 0)
        return printableText(message) + QLatin1Char('\n');
    return printableText(message.left(end)) + QLatin1Char('\n') + printableText(message.mid(end + 1))
        + QLatin1Char('\n');
}

} // namespace CommandLine
