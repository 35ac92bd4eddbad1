#include "projectsfile.h"

#include "catalogue.h"
#include "catalogueformat.h"
#include "messageservice.h"
#include "safefile.h"

#include <QFile>
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
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return ProjectsFileRead::Missing;

    QFile file(path);
    if (info.isDir()) {
        messages.showMessage(unreadableMessage(path, QStringLiteral("It is a folder, not a file.")));
        return ProjectsFileRead::Unreadable;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        messages.showMessage(unreadableMessage(path, file.errorString()));
        return ProjectsFileRead::Unreadable;
    }
    CatalogueFormat::Parsed parsed;
    QString error;
    if (!CatalogueFormat::read(file, parsed, error)) {
        messages.showMessage(unreadableMessage(path, error));
        return ProjectsFileRead::Unreadable;
    }
    catalogue.assign(std::move(parsed.projects));
    if (parsed.droppedRecords > 0)
        messages.showMessage(droppedMessage(path, parsed.droppedRecords));
    return ProjectsFileRead::Read;
}

void LoadProjects(Catalogue &catalogue, MessageService &messages, const QString &path)
{
    if (ReadProjects(catalogue, messages, path) == ProjectsFileRead::Missing)
        createFirstRun(catalogue, messages, path);
}

bool SaveProjects(const Catalogue &catalogue, MessageService &messages, const QString &path)
{
    const auto write = [&catalogue](QIODevice &file) { return CatalogueFormat::write(catalogue.Projects(), file); };
    if (!writeFileSafely(path, write).isEmpty()) {
        messages.showMessage(ProjectsMessages::SaveFailed);
        return false;
    }
    return true;
}
