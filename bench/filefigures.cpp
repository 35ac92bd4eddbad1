#include "catalogue.h"
#include "catalogueformat.h"
#include "codepage.h"
#include "figure.h"
#include "measure.h"
#include "messageservice.h"
#include "pages.h"
#include "projectsfile.h"
#include "workload.h"

#include <QFile>

#include <cstdio>

namespace {

class SilentMessages : public MessageService
{
public:
    void showMessage(const QString &text) override { shown.append(text); }
    QStringList shown;
};

void writeOnceAndRename(const QString &path, const QByteArray &bytes)
{
    const QString fresh = path + QStringLiteral(".new");
    QFile file(fresh);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size())
        qFatal("floor write failed");
    file.close();
    // Over the old file, in one step, as any safe replace must: removing it first would leave a
    // moment without the file and would skip what ext4 does for a file replaced by rename (it
    // starts writing it to disk), which costs about twice the write itself.
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(path).constData()) != 0)
        qFatal("floor rename failed");
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
    SilentMessages messages;
    QList<Figure> figures;

    Catalogue catalogue;
    const double load = medianMilliseconds(runs, [&] { LoadProjects(catalogue, messages, catalogueFile); });
    if (catalogue.Projects() != workload || !messages.shown.isEmpty())
        qFatal("the loaded catalogue differs from the workload");
    const double readDecode = medianMilliseconds(runs, [&] {
        QFile file(catalogueFile);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read the workload");
        const QString text = CodePage::decodeWindows1252(file.readAll());
        if (text.size() != bytes.size())
            qFatal("decode lost characters");
    });
    figures.append({"load", "read and parse projects.txt", load, readDecode, 2.0});

    const double save = medianMilliseconds(runs, [&] {
        if (!SaveProjects(catalogue, messages, catalogueFile))
            qFatal("save failed");
    });
    const double writeRename = medianMilliseconds(runs, [&] { writeOnceAndRename(catalogueFile, bytes); });
    figures.append({"save", "Save All (format, encode, safe replace)", save, writeRename, 1.5});

    QByteArray pageBytes[3];
    // From the loaded catalogue, as the program builds them.
    const double pages = medianMilliseconds(runs, [&] {
        if (!Pages::publishPages(catalogue.Projects(), folder).ok)
            qFatal("Build Pages failed");
    });
    for (int i = 0; i < 3; ++i) {
        QFile page(folder + QLatin1Char('/') + QStringList{Pages::IndexFileName, Pages::ShortFileName, Pages::LongFileName}.at(i));
        page.open(QIODevice::ReadOnly);
        pageBytes[i] = page.readAll();
    }
    const double threeWrites = medianMilliseconds(runs, [&] {
        for (int i = 0; i < 3; ++i)
            writeOnce(folder + QStringLiteral("/floor%1.htm").arg(i), pageBytes[i]);
    });
    figures.append({"pages", "Build Pages, all three files", pages, threeWrites, 1.5});
    return figures;
}
