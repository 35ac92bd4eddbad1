#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QProcessEnvironment;

// `project-catalogue [options] [FOLDER]`: what the user asked for, and the texts the command line
// prints about itself.
namespace CommandLine {

// The program as installed: the help, the version and every error line name it so.
inline const QString ProgramName = QStringLiteral("project-catalogue");

enum class Action { OpenWindow, ShowHelp, ShowVersion, BuildPages, Check, AddPictures, Publish };

// 0 is success with nothing to report; 1 a failure, or findings reported.
constexpr int Failed = 1;
constexpr int UsageError = 2;

struct Request
{
    Action action = Action::OpenWindow;
    QString folder; // as given; empty for the working directory
    QString project; // --add-pictures: the project's name, exactly as stored
    QStringList files; // --add-pictures: the photos, in order
    // The window on the catalogue folder opened last, or on one the user chooses: how the desktop
    // menu starts the program, which must not make a catalogue in whatever folder it was started in.
    bool lastFolder = false;
    QString destination; // --publish DESTINATION, as given
    bool dryRun = false; // --publish lists what it would send and sends nothing
    bool deleteUnlinked = false; // --publish removes what the pages no longer link, after the upload
    QString error; // a usage error; empty when the arguments are sound
};

// Reads the arguments, the program's name first.
Request parse(const QStringList &arguments);

// The action a forgiving first look finds. Qt's own window options (-platform, -style...) are
// still in the arguments then, and must not count as errors before a QApplication takes them out.
Action requestedAction(const QStringList &arguments);

// Whether the window has somewhere to go: a display in the environment, or a platform named on the
// command line or in QT_QPA_PLATFORM. Without one Qt would abort.
bool canOpenWindow(const QStringList &arguments, const QProcessEnvironment &environment);

// The FOLDER argument as the bytes it was given in, `arguments` being those parse() read before
// they were decoded: a name that is not UTF-8 reaches its folder only so. Empty for none.
QByteArray folderBytes(const QList<QByteArray> &arguments);

// Makes the catalogue folder, the working directory when `given` is empty, the working directory;
// false, with `error`, when there is no such folder or it cannot be entered.
bool enterCatalogueFolder(const QByteArray &given, QString &error);

// Name, version and domain, for both kinds of application object.
void setApplicationIdentity();

QString helpText();
QString versionText();
QString usageErrorText(const QString &error);
QString noDisplayText();

// A message the window would show in a box, as lines of text: a lone carriage return joins its
// two sentences, and the box shows it as a line break.
QString messageLines(const QString &message);

} // namespace CommandLine
