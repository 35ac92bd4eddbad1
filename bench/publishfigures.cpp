#include "figure.h"
#include "measure.h"
#include "pages.h"
#include "publisher.h"
#include "workload.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>

namespace {

void writeOnce(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void runOrDie(const QString &program, const QStringList &arguments)
{
    if (QProcess::execute(program, arguments) != 0)
        qFatal("%s failed", qPrintable(program));
}

void publish(const QList<ProjectInfo> &projects, const QString &source, const QString &destination)
{
    Publisher publisher(Destination::parse(destination), source, source + QStringLiteral("/Thumbs"));
    if (!publisher.prepare(PublishPlan::make(projects, source, source + QStringLiteral("/Thumbs"))).ok())
        qFatal("publish could not start");
    const UploadResult::Outcome outcome = publisher.send().outcome;
    if (outcome != UploadResult::Outcome::Published)
        qFatal("publish failed: %d", int(outcome));
}

} // namespace

QList<Figure> measurePublish(int projects, int runs, const QString &folder)
{
    const QList<ProjectInfo> workload = benchmarkWorkload(projects);
    const QString source = folder + QStringLiteral("/publish-source");
    QDir().mkpath(source + QStringLiteral("/Thumbs"));
    if (!Pages::Publisher(source).publish(workload))
        qFatal("cannot build the pages");
    // 1000 main pictures of the size a 180 x 120 GIF has.
    QStringList pictures;
    QRandomGenerator random(29);
    QSet<QString> named;
    for (qsizetype i = 0; i < workload.size() && pictures.size() < 1000; ++i) {
        // Two projects of one name share their pictures.
        if (named.contains(workload.at(i).Name))
            continue;
        named.insert(workload.at(i).Name);
        QByteArray bytes(6000, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        pictures << QStringLiteral("%1/Thumbs/%2_p1.gif").arg(source, workload.at(i).Name);
        writeOnce(pictures.last(), bytes);
    }
    QStringList pages;
    for (const QString &page : Pages::FileNames)
        pages << source + QLatin1Char('/') + page;

    int round = 0;
    QString destination;
    const auto emptyFolder = [&] {
        if (!destination.isEmpty())
            QDir(destination).removeRecursively();
        destination = folder + QStringLiteral("/published-%1").arg(++round);
        QDir().mkpath(destination + QStringLiteral("/Thumbs"));
    };
    const double copied = medianMilliseconds(runs, emptyFolder, [&] {
        runOrDie(QStringLiteral("cp"), QStringList{"-t", destination + QStringLiteral("/Thumbs")} + pictures);
        runOrDie(QStringLiteral("cp"), QStringList{"-t", destination} + pages);
        // coreutils' sync flushes each file and folder named.
        QStringList copies{destination, destination + QStringLiteral("/Thumbs")};
        for (const QString &file : pictures + pages)
            copies << destination + file.mid(source.size());
        runOrDie(QStringLiteral("sync"), copies);
    });
    const double published = medianMilliseconds(runs, emptyFolder, [&] { publish(workload, source, destination); });
    const double republished = medianMilliseconds(
        runs,
        [&] {
            QByteArray bytes(6000, Qt::Uninitialized);
            random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
            writeOnce(pictures.at(round % pictures.size()), bytes);
        },
        [&] { publish(workload, source, destination); });
    if (!destination.isEmpty())
        QDir(destination).removeRecursively();
    QDir(source).removeRecursively();
    return {{"publish", "pages + 1000 pictures into an empty folder / cp + sync", published, copied, 1.5},
            {"republish", "publish again, one picture changed / publish", republished, published, 0.2}};
}
