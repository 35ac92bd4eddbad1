#include "picturecommands.h"

#include "cataloguedocument.h"
#include "commandline.h"
#include "messages.h"
#include "picturemaker.h"
#include "picturestep.h"
#include "printabletext.h"

#include <QDir>
#include <QTextStream>

namespace PictureCommands {

int addPictures(const QString &folder, const QString &pictureFolder, const QString &project, const QStringList &files,
                QTextStream &out, QTextStream &err)
{
    CatalogueDocument document(folder, pictureFolder);
    const LoadResult loaded = document.load();
    if (loaded.outcome == LoadResult::Outcome::Missing) {
        err << QStringLiteral("%1: there is no %2 in the working directory\n")
                   .arg(CommandLine::ProgramName, ProjectsFileName);
        return CommandLine::Failed;
    }
    for (const QString &message : loaded.messages)
        err << CommandLine::messageLines(message);
    // The count is saved with the rest of the catalogue: a file not read whole is not replaced.
    if (loaded.outcome != LoadResult::Outcome::Read)
        return CommandLine::Failed;
    Catalogue &catalogue = document.catalogue();
    QList<qint16> positions;
    for (qint16 i = 0; i <= catalogue.LastProject(); ++i) {
        if (catalogue.at(i).Name == project)
            positions.append(i);
    }
    if (positions.isEmpty()) {
        err << QStringLiteral("%1: no project is named %2\n").arg(CommandLine::ProgramName, printableText(project));
        return CommandLine::Failed;
    }

    QList<QByteArray> gifs;
    QStringList skipped;
    for (const QString &file : files) {
        const MadePicture made = PictureMaker::make(file);
        if (made.made())
            gifs.append(made.gif);
        else
            skipped.append(made.reason);
    }
    int status = skipped.isEmpty() ? 0 : CommandLine::Failed;
    if (!skipped.isEmpty()) {
        err << printableText(Messages::photosSkipped()) << '\n';
        for (const QString &reason : std::as_const(skipped))
            err << printableText(reason) << '\n';
    }
    if (gifs.isEmpty())
        return status;

    PictureStep step = PictureStep::add(pictureFolder, project, gifs);
    const StepOutcome outcome = step.reason().isEmpty() ? step.redo() : StepOutcome{false, step.reason()};
    if (!outcome.done) {
        err << CommandLine::ProgramName << ": " << printableText(outcome.reason) << '\n';
        return CommandLine::Failed;
    }
    for (const QString &warning : step.warnings())
        err << CommandLine::ProgramName << ": " << printableText(warning) << '\n';
    for (const PictureChange &change : step.changes())
        out << printableText(QDir::cleanPath(change.path)) << '\n';

    const QList<int> numbers = PictureStep::numbers(pictureFolder, project);
    for (const qint16 position : std::as_const(positions))
        catalogue.SetPics(position, qint16(numbers.isEmpty() ? 0 : numbers.last()));
    const SaveResult saved = document.save();
    if (!saved.saved()) {
        // Nobody is there to answer a question: the pictures stay, and the count can be saved later.
        err << CommandLine::messageLines(saved.message);
        return CommandLine::Failed;
    }
    return status;
}

} // namespace PictureCommands
