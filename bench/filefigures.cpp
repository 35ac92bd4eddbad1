#include "catalogue.h"
#include "cataloguefile.h"
#include "catalogueformat.h"
#include "codepage.h"
#include "figure.h"
#include "measure.h"
#include "pages.h"
#include "workload.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <fcntl.h>
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

    // What the window's start-up does with the file: read it whole and make it the catalogue.
    Catalogue catalogue;
    bool whole = true;
    const double load = medianMilliseconds(runs, [&] {
        catalogue.assign({});
        CatalogueFile file(catalogueFile);
        whole = file.read() && file.droppedRecords() == 0 && whole;
        catalogue.assign(file.takeProjects(), file.encoding());
    });
    if (catalogue.Projects() != workload || !whole)
        qFatal("the loaded catalogue differs from the workload");
    const double readDecode = medianMilliseconds(runs, [&] {
        QFile file(catalogueFile);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read the workload");
        const QByteArray read = file.readAll();
        const QString text = CodePage::decodeWindows1252(read.constData(), read.size());
        if (text.size() != bytes.size())
            qFatal("decode lost characters");
    });
    figures.append({"load", "read and parse projects.txt", load, readDecode, 2.0});

    const double save = medianMilliseconds(runs, [&] {
        if (!CatalogueFile(catalogueFile).write(catalogue))
            qFatal("save failed");
    });
    const double durableReplace = medianMilliseconds(runs, [&] { replaceDurably(catalogueFile, bytes); });
    figures.append({"save", "Save All (format, encode, durable replace)", save, durableReplace, 1.3});

    QByteArray pageBytes[3];
    // From the loaded catalogue, as the program builds them.
    const double pages = medianMilliseconds(runs, [&] {
        if (!Pages::Publisher(folder).publish(catalogue.Projects()))
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
    return figures;
}
