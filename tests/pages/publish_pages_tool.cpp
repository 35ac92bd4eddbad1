// Usage: publish_pages_tool [--max-file-size BYTES] [--no-threads]
// Reads projects.txt from the working directory and writes the three pages beside it.
// Prints "ok", or the page that failed and why (exit status 1).
#include "catalogueformat.h"
#include "pages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <csignal>
#include <sys/resource.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const qsizetype limitAt = args.indexOf(QStringLiteral("--max-file-size"));
    if (limitAt > 0 && limitAt + 1 < args.size()) {
        // A full disk: writes past the limit fail with EFBIG instead of killing the process.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = args.at(limitAt + 1).toULongLong();
        const rlimit rl{limit, limit};
        setrlimit(RLIMIT_FSIZE, &rl);
    }
    QFile catalogueFile(QStringLiteral("projects.txt"));
    if (!catalogueFile.open(QIODevice::ReadOnly)) {
        out << "cannot read projects.txt: " << catalogueFile.errorString() << '\n';
        return 2;
    }
    const auto parsed = CatalogueFormat::read(catalogueFile.readAll());
    // With --no-threads, no process or thread beyond this one for the user while the pages are
    // written (root is exempt); raised again after, as the leak checker of sanitizer builds needs
    // a thread at exit.
    rlimit threadLimit{};
    getrlimit(RLIMIT_NPROC, &threadLimit);
    const bool limitThreads = args.contains(QStringLiteral("--no-threads"));
    if (limitThreads) {
        const rlimit one{1, threadLimit.rlim_max};
        setrlimit(RLIMIT_NPROC, &one);
    }
    Pages::Publisher publisher(QDir::currentPath());
    const bool published = publisher.publish(parsed.projects);
    if (limitThreads)
        setrlimit(RLIMIT_NPROC, &threadLimit);
    if (!published) {
        out << publisher.failedFile() << '\n' << publisher.errorString() << '\n';
        return 1;
    }
    out << "ok\n";
    return 0;
}
