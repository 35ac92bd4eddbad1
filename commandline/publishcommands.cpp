#include "publishcommands.h"

#include "cataloguecheck.h"
#include "cataloguedocument.h"
#include "commandline.h"
#include "messages.h"
#include "pages.h"
#include "picturenames.h"
#include "printabletext.h"
#include "publisher.h"
#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace PublishCommands {

namespace {

// The folder as the messages name it, absolute; the working folder by the bytes of its name.
QString shownFolder(const QString &folder)
{
    if (folder == QLatin1String("."))
        return printableFileName(WorkingFolder::current());
    return printableText(QDir(folder).absolutePath());
}

QString shownPath(const QString &folder, const QString &fileName)
{
    const QString shown = shownFolder(folder);
    return (shown.endsWith(QLatin1Char('/')) ? shown : shown + QLatin1Char('/')) + printableText(fileName);
}

// Nothing is created: a folder without a catalogue is more likely a mistyped FOLDER than a new one.
int noCatalogue(const QString &folder, QTextStream &err)
{
    err << QCoreApplication::translate("PublishCommands", "%1: there is no %2 in %3\n")
               .arg(CommandLine::ProgramName, ProjectsFileName, shownFolder(folder));
    return CommandLine::Failed;
}

// Loads the catalogue and builds its pages; a failure is printed, and its status returned.
int loadAndBuild(CatalogueDocument &document, QTextStream &err)
{
    const QString folder = document.folder();
    const QString pictureFolder = document.pictureFolder();
    const LoadResult loaded = document.load();
    if (loaded.outcome == LoadResult::Outcome::Missing)
        return noCatalogue(folder, err);
    // Pages that leave projects out would be published as if they were the whole catalogue.
    if (loaded.outcome == LoadResult::Outcome::RecordsDropped) {
        err << QCoreApplication::translate("PublishCommands",
                                           "%1: %2 holds %3 projects, more than the %4 a catalogue can keep; "
                                           "no page was written.\n")
                   .arg(CommandLine::ProgramName, shownPath(folder, ProjectsFileName),
                        QString::number(Catalogue::MaxProjects + loaded.droppedRecords),
                        QString::number(Catalogue::MaxProjects));
        return CommandLine::Failed;
    }
    for (const QString &message : loaded.messages)
        err << CommandLine::messageLines(message);
    // A file that could not be read, or held no project, leaves an empty catalogue, and pages built
    // from it would replace the published ones with empty pages: no unattended run should do that.
    if (loaded.outcome == LoadResult::Outcome::Unreadable || loaded.outcome == LoadResult::Outcome::NoProject)
        return CommandLine::Failed;

    // The pages must be those of the window opened and Build Pages pressed at once: its start-up
    // selects the first project, which sets that project's picture count from the pictures found.
    Catalogue &catalogue = document.catalogue();
    if (catalogue.LastProject() >= 0) {
        const ProjectInfo &first = catalogue.at(0);
        catalogue.SetPics(0, PictureNames::foundPictureCount(pictureFolder, first.Name, first.Pics));
    }

    const PublishResult published = document.publish();
    if (!published.built) {
        err << CommandLine::messageLines(Messages::PagesFailed)
            << QStringLiteral("%1: %2: %3")
                   .arg(CommandLine::ProgramName, shownPath(folder, QFileInfo(published.failedPage).fileName()),
                        printableText(published.reason))
            << '\n';
        return CommandLine::Failed;
    }
    return 0;
}

QString changeWord(PublishItem::Change change)
{
    return change == PublishItem::Change::New ? QStringLiteral("new") : QStringLiteral("changed");
}

} // namespace

int buildPages(const QString &folder, const QString &pictureFolder, QTextStream &out, QTextStream &err)
{
    CatalogueDocument document(folder, pictureFolder);
    if (const int status = loadAndBuild(document, err))
        return status;
    for (const QString &page : Pages::FileNames)
        out << shownPath(folder, page) << '\n';
    return 0;
}

int publish(const QString &folder, const QString &pictureFolder, const QString &destinationText, bool dryRun,
            bool deleteUnlinked, QTextStream &out, QTextStream &err)
{
    const Destination destination = Destination::parse(destinationText);
    if (const PublishError refused = Publisher::refusal(destination, folder, pictureFolder); !refused.ok()) {
        err << CommandLine::ProgramName << ": " << printableText(refused.reason) << '\n';
        return CommandLine::Failed;
    }
    CatalogueDocument document(folder, pictureFolder);
    if (const int status = loadAndBuild(document, err))
        return status;
    // What would show as a broken image is told, not refused: the pages are as the user made them.
    for (const CheckFinding &finding : document.check())
        err << printableText(CatalogueCheck::formatFinding(finding)) << '\n';
    err.flush();

    Publisher publisher(destination, folder, pictureFolder);
    const PublishError prepared =
        publisher.prepare(PublishPlan::make(document.catalogue().Projects(), folder, pictureFolder));
    if (!prepared.ok()) {
        err << CommandLine::ProgramName << ": " << printableText(prepared.reason) << '\n';
        return CommandLine::Failed;
    }
    const QList<PublishItem> toSend = publisher.toSend();
    for (const PublishItem &item : toSend)
        out << QStringLiteral("%1 %2 %3\n")
                   .arg(changeWord(item.change), -8)
                   .arg(item.size, 10)
                   .arg(printableText(item.name));
    out.flush();

    UploadResult result;
    result.method = publisher.method();
    result.outcome = toSend.isEmpty() ? UploadResult::Outcome::NothingToSend : UploadResult::Outcome::Published;
    if (!dryRun)
        result = publisher.send();
    const QStringList unlinked = publisher.unlinked();
    const bool sent =
        result.outcome == UploadResult::Outcome::Published || result.outcome == UploadResult::Outcome::NothingToSend;
    if (dryRun && !toSend.isEmpty())
        out << QStringLiteral("Nothing was sent (--dry-run); %1 would be used.\n").arg(result.method);
    else if (sent)
        out << printableText(result.message()) << '\n';
    if (!unlinked.isEmpty() && (!deleteUnlinked || dryRun || !sent)) {
        out << QStringLiteral("No page links these files on the destination; they were left there%1:\n")
                   .arg(deleteUnlinked && !dryRun ? QString() : QStringLiteral(" (--delete-unlinked removes them)"));
        for (const QString &name : unlinked)
            out << "unlinked " << printableText(name) << '\n';
    } else if (!unlinked.isEmpty()) {
        const UploadResult removed = publisher.removeUnlinked();
        for (const QString &name : removed.removed)
            out << "removed " << printableText(name) << '\n';
        if (removed.outcome == UploadResult::Outcome::Failed) {
            err << CommandLine::ProgramName << ": " << printableText(removed.error.reason) << '\n';
            return CommandLine::Failed;
        }
    }
    if (!sent) {
        out.flush();
        err << CommandLine::ProgramName << ": " << printableText(result.message()) << '\n';
    }
    return sent ? 0 : CommandLine::Failed;
}

int check(const QString &folder, const QString &pictureFolder, QTextStream &out, QTextStream &err)
{
    CatalogueDocument document(folder, pictureFolder);
    const LoadResult loaded = document.load();
    if (loaded.outcome == LoadResult::Outcome::Missing)
        return noCatalogue(folder, err);
    QList<CheckFinding> findings = document.fileFindings();
    findings += document.check();
    // One line per finding, whatever the name holds; the messages quote it in picture file names.
    for (const CheckFinding &finding : std::as_const(findings))
        out << printableText(CatalogueCheck::formatFinding(finding)) << '\n';
    return findings.isEmpty() ? 0 : CommandLine::Failed;
}

} // namespace PublishCommands
