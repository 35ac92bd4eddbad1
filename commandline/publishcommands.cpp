#include "publishcommands.h"

#include "catalogue.h"
#include "cataloguecheck.h"
#include "commandline.h"
#include "messageservice.h"
#include "pages.h"
#include "projectsfile.h"
#include "publishmessages.h"

#include <QDir>
#include <QTextStream>

namespace PublishCommands {

namespace {

class KeptMessages : public MessageService
{
public:
    void showMessage(const QString &text) override { texts.append(text); }
    QStringList texts;
};

// Nothing is created: a folder without a catalogue is more likely a mistyped FOLDER than a new one.
ProjectsFileRead readCatalogue(const QString &folder, Catalogue &catalogue, KeptMessages &messages,
                               QTextStream &err)
{
    const ProjectsFileRead read =
        ReadProjects(catalogue, messages, QDir(folder).filePath(ProjectsFileName));
    if (read == ProjectsFileRead::Missing)
        err << QStringLiteral("project-catalogue: there is no %1 in %2\n").arg(ProjectsFileName, folder);
    return read;
}

} // namespace

int buildPages(const QString &folder, QTextStream &out, QTextStream &err)
{
    Catalogue catalogue;
    KeptMessages messages;
    const ProjectsFileRead read = readCatalogue(folder, catalogue, messages, err);
    for (const QString &message : std::as_const(messages.texts))
        err << CommandLine::messageLines(message);
    // A file that could not be read, or held no project, leaves an empty catalogue, and pages built
    // from it would replace the published ones with empty pages: no unattended run should do that.
    if (read != ProjectsFileRead::Read)
        return CommandLine::Failed;

    const Pages::PublishResult result = Pages::publishPages(catalogue.Projects(), folder);
    if (!result.ok) {
        err << CommandLine::messageLines(PublishMessages::PagesFailed);
        return CommandLine::Failed;
    }
    const QDir dir(folder);
    for (const QString &page : {Pages::IndexFileName, Pages::ShortFileName, Pages::LongFileName})
        out << dir.filePath(page) << '\n';
    return 0;
}

int check(const QString &folder, const QString &pictureFolder, QTextStream &out, QTextStream &err)
{
    Catalogue catalogue;
    KeptMessages messages;
    if (readCatalogue(folder, catalogue, messages, err) == ProjectsFileRead::Missing)
        return CommandLine::Failed;
    QList<CheckFinding> findings;
    for (const QString &message : std::as_const(messages.texts))
        findings.append(CatalogueCheck::fileFinding(message));
    findings += CatalogueCheck::checkProjects(catalogue.Projects(), pictureFolder);
    for (const CheckFinding &finding : std::as_const(findings))
        out << CatalogueCheck::formatFinding(finding) << '\n';
    return findings.isEmpty() ? 0 : CommandLine::Failed;
}

} // namespace PublishCommands
