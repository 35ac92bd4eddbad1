// Loads and saves the catalogue document of the working folder in a process of its own, as the
// window's LoadProjects and SaveProjects do, so that tests can run them as an unprivileged user or
// under a file-size limit. Steps are the arguments, in order:
//   load | save | add | add N | count | unprotect | fsize BYTES | nofsize | nothreads | leavefolder
//   | replace | cancel (answers to questions; cancel at first) | wait (for a line on standard input)
// Messages, questions and results go to standard output, one line each.
#include "cataloguedocument.h"
#include "processlimits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <csignal>
#include <optional>

namespace {

QTextStream out(stdout);

void print(const char *kind, QString text)
{
    out << kind << ' ' << text.replace(QLatin1Char('\r'), QLatin1String("\\r")) << Qt::endl;
}

// Save All as the window runs it: the question answered `replace`, a failure told.
bool save(CatalogueDocument &document, bool replace)
{
    SaveResult result = document.save();
    while (result.outcome == SaveResult::Outcome::Question) {
        print("question", result.message);
        if (!replace)
            return false;
        result = document.save(result);
    }
    if (!result.saved())
        print("message", result.message);
    return result.saved();
}

} // namespace

int main(int argc, char *argv[])
{
    // A full disk must be an error the program sees, not a signal that kills it.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    CatalogueDocument document;
    Catalogue &catalogue = document.catalogue();
    bool replace = false;
    std::optional<FileSizeLimit> fileSize;
    std::optional<ThreadLimit> threads;
    for (int i = 1; i < argc; ++i) {
        const QByteArray step = argv[i];
        if (step == "load") {
            const LoadResult loaded = document.load();
            for (const QString &message : loaded.messages)
                print("message", message);
            if (loaded.firstSaveDue())
                save(document, replace);
        } else if (step == "save") {
            out << (save(document, replace) ? "saved" : "not saved") << Qt::endl;
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
        } else if (step == "replace" || step == "cancel") {
            replace = step == "replace";
        } else if (step == "wait") {
            out << "waiting" << Qt::endl;
            QTextStream(stdin).readLine();
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
