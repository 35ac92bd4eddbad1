// Measures the program's costly paths at the catalogue's full size against floors measured in the
// same run, and prints a table and one "ratio NAME VALUE TARGET" line per figure.
#include "catalogue.h"
#include "catalogueformat.h"
#include "codepage.h"
#include "measure.h"
#include "messageservice.h"
#include "pages.h"
#include "projectsfile.h"
#include "workload.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

struct Figure
{
    QString name;
    QString what;
    double figure;
    double floor;
    double target;
};

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
    QFile::remove(path);
    QFile::rename(fresh, path);
}

void writeOnce(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size())
        qFatal("floor write failed");
}

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
    const double pages = medianMilliseconds(runs, [&] {
        if (!Pages::publishPages(workload, folder).ok)
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

void print(const QList<Figure> &figures)
{
    QTextStream out(stdout);
    out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
               .arg("NAME", -9).arg("figure", -45).arg("ms", 9).arg("floor ms", 9).arg("ratio", 6).arg("target", 6);
    out << "|-----------|-----------------------------------------------|-----------|-----------|--------|--------|\n";
    for (const Figure &f : figures)
        out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
                   .arg(f.name, -9).arg(f.what, -45).arg(f.figure, 9, 'f', 1).arg(f.floor, 9, 'f', 1)
                   .arg(f.figure / f.floor, 6, 'f', 2).arg(f.target, 6, 'f', 1);
    for (const Figure &f : figures)
        out << "ratio " << f.name << ' ' << QString::number(f.figure / f.floor, 'f', 3) << ' '
            << QString::number(f.target, 'f', 1) << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool smoke = app.arguments().contains(QStringLiteral("--smoke"));
    const int projects = smoke ? 200 : Catalogue::MaxProjects;
    const int runs = smoke ? 1 : qEnvironmentVariableIntValue("BENCH_RUNS") > 0 ? qEnvironmentVariableIntValue("BENCH_RUNS") : 5;

    QTemporaryDir folder(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    if (!folder.isValid())
        qFatal("cannot make a scratch folder");
    print(measureFiles(projects, runs, folder.path()));
    return 0;
}
