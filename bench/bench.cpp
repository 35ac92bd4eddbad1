// Measures the program's costly paths at the catalogue's full size against floors measured in the
// same run, and prints a table and one "ratio NAME VALUE TARGET" line per figure.
#include "catalogue.h"
#include "figure.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

void print(const QList<Figure> &figures, const QStringList &notes)
{
    QTextStream out(stdout);
    out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
               .arg("NAME", -9)
               .arg("figure", -45)
               .arg("value", 9)
               .arg("floor", 9)
               .arg("ratio", 6)
               .arg("target", 6);
    out << "|-----------|-----------------------------------------------|-----------|-----------|--------|--------|\n";
    for (const Figure &f : figures)
        out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
                   .arg(f.name, -9)
                   .arg(f.what, -45)
                   .arg(f.figure, 9, 'f', 1)
                   .arg(f.floor, 9, 'f', 1)
                   .arg(f.figure / f.floor, 6, 'f', 2)
                   .arg(f.target, 6, 'f', 1);
    for (const Figure &f : figures)
        out << "ratio " << f.name << ' ' << QString::number(f.figure / f.floor, 'f', 3) << ' '
            << QString::number(f.target, 'f', 1) << '\n';
    for (const QString &note : notes)
        out << note << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    startProgramLauncher();
    QApplication app(argc, argv);
    const bool smoke = app.arguments().contains(QStringLiteral("--smoke"));
    const int projects = smoke ? 200 : Catalogue::MaxProjects;
    const int runs = smoke                               ? 1
        : qEnvironmentVariableIntValue("BENCH_RUNS") > 0 ? qEnvironmentVariableIntValue("BENCH_RUNS")
                                                         : 5;

    QTemporaryDir folder(QDir::currentPath() + QStringLiteral("/bench-XXXXXX"));
    if (!folder.isValid())
        qFatal("cannot make a scratch folder");
    // The window measured here keeps its journal of unsaved edits beside these settings, not the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path() + QStringLiteral("/settings"));
    // --publish: the publishing figures alone.
    if (app.arguments().contains(QStringLiteral("--publish"))) {
        print(measurePublish(projects, runs, folder.path()), {});
        return 0;
    }
    // First, while the heap is small: its peak memory is measured in a child process.
    QStringList notes;
    QList<Figure> figures = measurePictures(runs, folder.path(), smoke ? QSize(1200, 800) : QSize(6000, 4000), &notes);
    // --pictures: the picture figures alone.
    if (app.arguments().contains(QStringLiteral("--pictures"))) {
        print(figures, notes);
        return 0;
    }
    figures += measureFiles(projects, runs, folder.path());
    figures += measurePublish(projects, runs, folder.path());
    const auto load =
        std::find_if(figures.cbegin(), figures.cend(), [](const Figure &f) { return f.name == QLatin1String("load"); });
    if (load == figures.cend())
        qFatal("no load figure");
    figures += measureWindow(projects, runs, folder.path(), load->figure);
    print(figures, notes);
    return 0;
}
