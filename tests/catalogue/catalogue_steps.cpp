// Runs the window's LoadProjects/SaveProjects in a process of its own, with a window that is never
// shown, so that tests can run them as an unprivileged user or under a file-size limit, in the
// working folder. Steps are the arguments, in order:
//   load | save | add | add N | count | unprotect | fsize BYTES | nofsize | nothreads | leavefolder
// Messages and results go to standard output, one line each.
#include "catalogue.h"
#include "cataloguefile.h"
#include "mainwindow.h"
#include "messageservice.h"
#include "processlimits.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <csignal>
#include <optional>

namespace {

QTextStream out(stdout);

class PrintingMessages : public MessageService
{
public:
    void showMessage(const QString &text) override
    {
        QString shown = text;
        out << "message " << shown.replace(QLatin1Char('\r'), QLatin1String("\\r")) << Qt::endl;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    // A full disk must be an error the program sees, not a signal that kills it.
    std::signal(SIGXFSZ, SIG_IGN);
    // No display is needed: the window is never shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Catalogue catalogue;
    PrintingMessages messages;
    Main window(catalogue, messages, QString());
    std::optional<FileSizeLimit> fileSize;
    std::optional<ThreadLimit> threads;
    for (int i = 1; i < argc; ++i) {
        const QByteArray step = argv[i];
        if (step == "load") {
            window.LoadProjects();
        } else if (step == "save") {
            out << (window.SaveProjects() ? "saved" : "not saved") << Qt::endl;
        } else if (step == "add") {
            const bool counted = i + 1 < argc && QByteArray(argv[i + 1]).toInt() > 0;
            for (int n = counted ? QByteArray(argv[++i]).toInt() : 1; n > 0; --n)
                catalogue.AddProject(catalogue.LastProject());
        } else if (step == "count") {
            out << "projects " << catalogue.LastProject() + 1 << Qt::endl;
        } else if (step == "unprotect") {
            QFile::setPermissions(ProjectsFileName, QFile::permissions(ProjectsFileName) | QFile::WriteOwner);
        } else if (step == "fsize" && i + 1 < argc) {
            fileSize.emplace(rlim_t(QByteArray(argv[++i]).toULongLong()));
        } else if (step == "nofsize") {
            fileSize.reset();
        } else if (step == "leavefolder") {
            // The working folder is deleted under the program, as another program might.
            QDir().rmdir(QDir::currentPath());
        } else if (step == "nothreads") {
            // Until the steps end, and lifted before the process does.
            threads.emplace();
        } else {
            out << "unknown step " << step << Qt::endl;
            return 2;
        }
    }
    return 0;
}
