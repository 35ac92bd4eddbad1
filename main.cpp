#include "application.h"
#include "askpass.h"
#include "commandline.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

int main(int argc, char *argv[])
{
#ifdef Q_OS_UNIX
    // Past a file size limit (ulimit -f) the write fails and the save says so, as on a full disk,
    // instead of the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif

    // ssh asking, for a publish from the window, for a password or an unknown host key.
    if (qEnvironmentVariableIsSet(Askpass::Variable))
        return Askpass::run(argc, argv);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    if (CommandLine::requestedAction(arguments) != CommandLine::Action::OpenWindow)
        return Application::runWithoutWindow(argc, argv);
    if (!CommandLine::canOpenWindow(arguments, QProcessEnvironment::systemEnvironment()))
        return Application::refuseWithoutDisplay(argc, argv);
    return Application::runWindow(argc, argv);
}
