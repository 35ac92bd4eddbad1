#include "publishcommands.h"

#include "cataloguecheck.h"
#include "cataloguefile.h"
#include "commandline.h"
#include "messages.h"
#include "pages.h"

#include <QDir>
#include <QTextStream>

namespace PublishCommands {

namespace {

QString catalogueIn(const QString &folder)
{
    return QDir(folder).filePath(ProjectsFileName);
}

// Nothing is created: a folder without a catalogue is more likely a mistyped FOLDER than a new one.
int noCatalogue(const QString &folder, QTextStream &err)
{
    err << QStringLiteral("project-catalogue: there is no %1 in %2\n").arg(ProjectsFileName, folder);
    return CommandLine::Failed;
}

} // namespace

int buildPages(const QString &folder, QTextStream &out, QTextStream &err)
{
    CatalogueFile file(catalogueIn(folder));
    const bool read = file.read();
    if (file.isMissing())
        return noCatalogue(folder, err);
    for (const QString &message : Messages::afterReading(file, read))
        err << CommandLine::messageLines(message);
    // A file that could not be read, or held no project, leaves an empty catalogue, and pages built
    // from it would replace the published ones with empty pages: no unattended run should do that.
    if (!read || file.holdsNoProject())
        return CommandLine::Failed;

    Pages::Publisher publisher(folder);
    if (!publisher.publish(file.projects())) {
        err << CommandLine::messageLines(Messages::PagesFailed);
        return CommandLine::Failed;
    }
    const QDir dir(folder);
    for (const QString &page : Pages::FileNames)
        out << dir.filePath(page) << '\n';
    return 0;
}

int check(const QString &folder, const QString &pictureFolder, QTextStream &out, QTextStream &err)
{
    CatalogueFile file(catalogueIn(folder));
    const bool read = file.read();
    if (file.isMissing())
        return noCatalogue(folder, err);
    QList<CheckFinding> findings;
    for (const QString &message : Messages::afterReading(file, read))
        findings.append(CatalogueCheck::fileFinding(message));
    findings += CatalogueCheck::checkProjects(file.projects(), pictureFolder);
    for (const CheckFinding &finding : std::as_const(findings))
        out << CatalogueCheck::formatFinding(finding) << '\n';
    return findings.isEmpty() ? 0 : CommandLine::Failed;
}

} // namespace PublishCommands
