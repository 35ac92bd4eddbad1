#include "projectsfile.h"

#include "catalogue.h"
#include "catalogueformat.h"
#include "fileerrors.h"
#include "messageservice.h"
#include "safefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The reason the file cannot be read, or an empty text when it was opened into `file`. It is
// opened without waiting and judged by what was opened, not by its name, so a FIFO or a device
// in its place is refused at once instead of hanging the start-up or reading for ever.
QString openPlainFile(const QString &path, int descriptor, QFile &file)
{
    struct stat info;
    if (::fstat(descriptor, &info) != 0)
        return FileErrors::reason(errno, path);
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("It is a folder, not a file.");
    if (!S_ISREG(info.st_mode))
        return FileErrors::notPlainFile(path);
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return file.errorString();
    return QString();
}

} // namespace

ProjectsFileRead ReadProjects(Catalogue &catalogue, MessageService &messages, const QString &path)
{
    catalogue.assign({});
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        // A link to nowhere or a working folder deleted under the program is no first run.
        const bool missing = error == ENOENT && !QFileInfo(path).isSymLink()
            && FileErrors::missingFolder(QFileInfo(path).path()).isEmpty();
        if (missing)
            return ProjectsFileRead::Missing;
        messages.showMessage(unreadableMessage(path, FileErrors::reason(error, path)));
        return ProjectsFileRead::Unreadable;
    }
    QFile file;
    const QString refused = openPlainFile(path, descriptor, file);
    if (!refused.isEmpty()) {
        if (!file.isOpen())
            ::close(descriptor);
        messages.showMessage(unreadableMessage(path, refused));
        return ProjectsFileRead::Unreadable;
    }
    CatalogueFormat::Parsed parsed;
    QString error;
    if (!CatalogueFormat::read(file, parsed, error)) {
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
