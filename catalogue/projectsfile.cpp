#include "projectsfile.h"

#include "catalogue.h"
#include "catalogueformat.h"
#include "messageservice.h"
#include "plainfile.h"
#include "safefile.h"

#include <QFileInfo>

namespace {

QString unreadableMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Not possible to read %1\r%2").arg(QFileInfo(path).fileName(), reason);
}

QString droppedMessage(const QString &path, qsizetype dropped)
{
    return QStringLiteral("%1 holds %2 more projects than the %3 that can be kept; only the first "
                          "%3 were loaded.\rThe file is unchanged until you press Save All.")
        .arg(QFileInfo(path).fileName())
        .arg(dropped)
        .arg(Catalogue::MaxProjects);
}

QString noRecordMessage(const QString &path)
{
    return QStringLiteral("%1 holds no project that could be read.\rThe file is unchanged until you "
                          "press Save All.")
        .arg(QFileInfo(path).fileName());
}

void createFirstRun(Catalogue &catalogue, MessageService &messages, const QString &path)
{
    messages.showMessage(ProjectsMessages::Creating);
    ProjectInfo first;
    first.Name = first.Location = first.ShortDesc = first.LongDesc = QStringLiteral("New");
    first.Pics = 1;
    catalogue.assign({first});
    SaveProjects(catalogue, messages, path);
}

} // namespace

ProjectsFileRead ReadProjects(Catalogue &catalogue, MessageService &messages, const QString &path)
{
    catalogue.assign({});
    PlainFile file(path);
    if (!file.open()) {
        if (file.isMissing())
            return ProjectsFileRead::Missing;
        messages.showMessage(unreadableMessage(path, file.errorString()));
        return ProjectsFileRead::Unreadable;
    }
    CatalogueFormat::Parsed parsed;
    QString error;
    if (!CatalogueFormat::read(file.file(), parsed, error)) {
        messages.showMessage(unreadableMessage(path, error));
        return ProjectsFileRead::Unreadable;
    }
    const bool noRecord = parsed.projects.isEmpty() && parsed.hasText;
    catalogue.assign(std::move(parsed.projects), parsed.encoding);
    if (parsed.droppedRecords > 0)
        messages.showMessage(droppedMessage(path, parsed.droppedRecords));
    else if (noRecord)
        messages.showMessage(noRecordMessage(path));
    return noRecord ? ProjectsFileRead::NoProject : ProjectsFileRead::Read;
}

void LoadProjects(Catalogue &catalogue, MessageService &messages, const QString &path)
{
    if (ReadProjects(catalogue, messages, path) == ProjectsFileRead::Missing)
        createFirstRun(catalogue, messages, path);
}

bool SaveProjects(const Catalogue &catalogue, MessageService &messages, const QString &path)
{
    const auto write = [&catalogue](QIODevice &file) {
        return CatalogueFormat::write(catalogue.Projects(), file, catalogue.fileEncoding());
    };
    if (!writeFileSafely(path, write).isEmpty()) {
        messages.showMessage(ProjectsMessages::SaveFailed);
        return false;
    }
    return true;
}
