#include "catalogue.h"
#include "cataloguedocument.h"
#include "catalogueformat.h"
#include "codepage.h"
#include "commandline.h"
#include "figure.h"
#include "measure.h"
#include "pages.h"
#include "publishcommands.h"
#include "workload.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <limits>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

namespace {

// The least a save can do and still survive a power cut once it returns: the bytes in a new file,
// on disk, renamed over the old one, the folder on disk.
void replaceDurably(const QString &path, const QByteArray &bytes)
{
    const QString fresh = path + QStringLiteral(".new");
    QFile file(fresh);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()
        || ::fdatasync(file.handle()) != 0)
        qFatal("floor write failed");
    file.close();
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(path).constData()) != 0)
        qFatal("floor rename failed");
    const int folder = ::open(QFile::encodeName(QFileInfo(path).path()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder < 0 || ::fsync(folder) != 0)
        qFatal("floor folder flush failed");
    ::close(folder);
}

void writeOnce(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size())
        qFatal("floor write failed");
}

} // namespace

QList<Figure> measureFiles(int projects, int runs, const QString &folder)
{
    const QList<ProjectInfo> workload = benchmarkWorkload(projects);
    const QString catalogueFile = folder + QStringLiteral("/projects.txt");
    const QByteArray bytes = CatalogueFormat::write(workload);
    writeOnce(catalogueFile, bytes);
    QList<Figure> figures;

    // What the window's start-up does with the file: read it whole and make it the catalogue. The
    // program does it once, into memory it has not touched yet: memory freed by the run before and
    // kept by the allocator would make a run cheaper or dearer by how the heap happens to lie.
    CatalogueDocument document(folder);
    bool whole = true;
    const auto untouched = [&] {
        document.catalogue().assign({});
        malloc_trim(0);
    };
    const double load = medianMilliseconds(runs, untouched, [&] { whole = document.load() == LoadResult() && whole; });
    if (document.catalogue().Projects() != workload || !whole)
        qFatal("the loaded catalogue differs from the workload");
    const double readDecode = medianMilliseconds(
        runs, [] { malloc_trim(0); },
        [&] {
            QFile file(catalogueFile);
            if (!file.open(QIODevice::ReadOnly))
                qFatal("cannot read the workload");
            const QByteArray read = file.readAll();
            const QString text = CodePage::decodeWindows1252(read.constData(), read.size());
            if (text.size() != bytes.size())
                qFatal("decode lost characters");
        });
    figures.append({"load", "read and parse projects.txt", load, readDecode, 1.5});

    // As Save All does it: only over the file the catalogue was read from or last saved to.
    const double save = medianMilliseconds(runs, [&] {
        if (!document.save().saved())
            qFatal("save failed");
    });
    const double durableReplace = medianMilliseconds(runs, [&] { replaceDurably(catalogueFile, bytes); });
    figures.append({"save", "Save All (format, encode, durable replace)", save, durableReplace, 1.3});

    QByteArray pageBytes[3];
    // From the loaded catalogue, as the program builds them.
    const double pages = medianMilliseconds(runs, [&] {
        if (!document.publish().built)
            qFatal("Build Pages failed");
    });
    for (int i = 0; i < 3; ++i) {
        QFile page(folder + QLatin1Char('/') + Pages::FileNames.at(i));
        page.open(QIODevice::ReadOnly);
        pageBytes[i] = page.readAll();
    }
    const double threeReplaces = medianMilliseconds(runs, [&] {
        for (int i = 0; i < 3; ++i)
            replaceDurably(folder + QStringLiteral("/floor%1.htm").arg(i), pageBytes[i]);
    });
    figures.append({"pages", "Build Pages, all three files, durably", pages, threeReplaces, 1.3});

    // --check at its worst: every project refers to 32767 pictures, and none exists.
    const QString checkFolder = folder + QStringLiteral("/check");
    if (!QDir().mkpath(checkFolder + QStringLiteral("/Thumbs")))
        qFatal("cannot make the picture folder");
    QList<ProjectInfo> unpictured = workload;
    for (ProjectInfo &project : unpictured)
        project.Pics = std::numeric_limits<qint16>::max();
    writeOnce(checkFolder + QStringLiteral("/projects.txt"), CatalogueFormat::write(unpictured));
    QByteArray report;
    const double check = medianMilliseconds(runs, [&] {
        report.clear();
        QBuffer buffer(&report);
        buffer.open(QIODevice::WriteOnly);
        QTextStream out(&buffer);
        if (PublishCommands::check(checkFolder, checkFolder + QStringLiteral("/Thumbs"), out, out)
            != CommandLine::Failed)
            qFatal("--check found nothing");
    });
    // Picture 1, and the run from 2 to 32767, for each project.
    if (report.count('\n') != qsizetype(2) * projects)
        qFatal("--check reported %lld lines", static_cast<long long>(report.count('\n')));
    figures.append({"check", "--check, counts 32767, empty Thumbs / load", check, load, 3.0});
    return figures;
}
