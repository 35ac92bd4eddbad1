// Usage: publish_pages_tool [--max-file-size BYTES] [--no-threads]
// Reads projects.txt from the working directory and writes the three pages beside it.
// Prints "ok", or the page that failed and why (exit status 1).
#include "catalogueformat.h"
#include "pages.h"
#include "processlimits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <optional>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const qsizetype limitAt = args.indexOf(QStringLiteral("--max-file-size"));
    std::optional<FileSizeLimit> fullDisk;
    if (limitAt > 0 && limitAt + 1 < args.size())
        fullDisk.emplace(rlim_t(args.at(limitAt + 1).toULongLong()));
    QFile catalogueFile(QStringLiteral("projects.txt"));
    if (!catalogueFile.open(QIODevice::ReadOnly)) {
        out << "cannot read projects.txt: " << catalogueFile.errorString() << '\n';
        return 2;
    }
    const auto parsed = CatalogueFormat::read(catalogueFile.readAll());
    Pages::Publisher publisher(QDir::currentPath());
    bool published = false;
    {
        // With --no-threads, no thread beyond this one while the pages are written.
        std::optional<ThreadLimit> threads;
        if (args.contains(QStringLiteral("--no-threads")))
            threads.emplace();
        published = publisher.publish(parsed.projects);
    }
    if (!published) {
        out << publisher.failedFile() << '\n' << publisher.errorString() << '\n';
        return 1;
    }
    out << "ok\n";
    return 0;
}
