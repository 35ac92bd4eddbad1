#include "cataloguecheck.h"

#include "cataloguefile.h"
#include "picturenames.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringBuilder>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <limits>
#include <utility>

#ifdef Q_OS_UNIX
#include <dirent.h>
#else
#include <QDir>
#endif

bool operator==(const CheckFinding &a, const CheckFinding &b)
{
    return a.record == b.record && a.name == b.name && a.message == b.message;
}

QDebug operator<<(QDebug debug, const CheckFinding &finding)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "CheckFinding(" << finding.record << ", " << finding.name << ", " << finding.message << ')';
    return debug;
}

namespace CatalogueCheck {

namespace {

QString missingRangeMessage(const QString &name, int first, int last)
{
    if (first == last) {
        return QCoreApplication::translate("CatalogueCheck",
                                           "picture %1 is missing (%2): the long page will show a broken image")
            .arg(QString::number(first), PictureNames::pictureFileName(name, first));
    }
    return QCoreApplication::translate(
               "CatalogueCheck", "pictures %1 to %2 are missing (%3 to %4): the long page will show broken images")
        .arg(QString::number(first), QString::number(last), PictureNames::pictureFileName(name, first),
             PictureNames::pictureFileName(name, last));
}

// Which pictures each name has, from one listing of the folder: looking each one up would take a
// file-system call for every number up to the stored count, 32767 of them for each project.
class PictureListing
{
public:
    explicit PictureListing(const QString &folder);

    // The numbers from 1 to `highest` whose picture of `name` is a plain file, ascending.
    QList<int> pictures(const QString &name, int highest) const;
    // The pictures of names none of `names` is, by name as spelt on disk; none when unlisted.
    QList<std::pair<QByteArray, QList<int>>> othersThan(const QSet<QByteArray> &names) const;

private:
    QString m_folder;
    bool m_listed = false;
    QHash<QByteArray, QList<int>> m_numbers; // by the name as spelt on disk
};

// NAME_p<k>.gif, k written as QString::number writes it.
bool splitPictureFileName(QByteArrayView fileName, QByteArray &name, int &k)
{
    if (!fileName.endsWith(".gif"))
        return false;
    fileName.chop(4);
    qsizetype digits = 0;
    while (digits < fileName.size()
           && std::isdigit(static_cast<unsigned char>(fileName.at(fileName.size() - 1 - digits))))
        ++digits;
    if (digits == 0 || digits > 5 || fileName.at(fileName.size() - digits) == '0')
        return false;
    k = fileName.last(digits).toInt();
    fileName.chop(digits);
    if (k > std::numeric_limits<qint16>::max() || !fileName.endsWith("_p"))
        return false;
    fileName.chop(2);
    name = fileName.toByteArray();
    return true;
}

PictureListing::PictureListing(const QString &folder) : m_folder(folder)
{
#ifdef Q_OS_UNIX
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) {
        // Without the folder no picture exists; a folder that cannot be listed is asked picture by
        // picture, as the window asks.
        m_listed = errno == ENOENT || errno == ENOTDIR;
        return;
    }
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry)
            break;
        QByteArray name;
        int k = 0;
        if (splitPictureFileName(QByteArrayView(entry->d_name), name, k))
            m_numbers[name].append(k);
    }
    m_listed = errno == 0;
    ::closedir(dir);
#else
    // Names as Qt decodes them: where names are not bytes, none is lost by that.
    const QDir dir(folder);
    m_listed = !dir.exists();
    if (dir.exists()) {
        const QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        m_listed = dir.isReadable();
        for (const QString &entry : names) {
            QByteArray name;
            int k = 0;
            const QByteArray bytes = QFile::encodeName(entry);
            if (splitPictureFileName(QByteArrayView(bytes), name, k))
                m_numbers[name].append(k);
        }
    }
#endif
    for (QList<int> &numbers : m_numbers)
        std::sort(numbers.begin(), numbers.end());
}

QList<int> PictureListing::pictures(const QString &name, int highest) const
{
    QList<int> candidates;
    if (!m_listed) {
        for (int k = 1; k <= highest; ++k)
            candidates.append(k);
    } else {
        candidates = m_numbers.value(QFile::encodeName(name));
    }
    // Listed is not enough: a folder or a FIFO may bear a picture's name.
    QList<int> found;
    for (const int k : std::as_const(candidates)) {
        if (k <= highest && PictureNames::isPictureFile(PictureNames::picturePath(m_folder, name, k)))
            found.append(k);
    }
    return found;
}

QList<std::pair<QByteArray, QList<int>>> PictureListing::othersThan(const QSet<QByteArray> &names) const
{
    QList<std::pair<QByteArray, QList<int>>> others;
    for (auto it = m_numbers.cbegin(); it != m_numbers.cend(); ++it) {
        if (!names.contains(it.key()))
            others.append({it.key(), it.value()});
    }
    std::sort(others.begin(), others.end());
    return others;
}

QString orphanMessage(const QString &name, const QList<int> &numbers)
{
    const QString first = PictureNames::pictureFileName(name, numbers.first());
    if (numbers.size() == 1)
        return QLatin1String("picture ") % first
            % QLatin1String(" has no project of that name (a rename or a Delete left it); it is kept");
    return QString::number(numbers.size()) % QLatin1String(" pictures (") % first % QLatin1String(" to ")
        % PictureNames::pictureFileName(name, numbers.last())
        % QLatin1String(") have no project of that name (a rename or a Delete left them); they are kept");
}

void checkPictures(const ProjectInfo &project, const PictureListing &listing, QStringList &messages)
{
    const QList<int> found = listing.pictures(project.Name, std::max<int>(project.Pics, 9));
    if (found.value(0) != 1) {
        const char *message = project.Pics >= 1
            ? QT_TRANSLATE_NOOP("CatalogueCheck",
                                "picture 1 is missing (%1): the index, short and long pages will show a broken image")
            : QT_TRANSLATE_NOOP("CatalogueCheck",
                                "picture 1 is missing (%1): the index and short pages will show a broken image");
        messages.append(
            QCoreApplication::translate("CatalogueCheck", message).arg(PictureNames::pictureFileName(project.Name, 1)));
    }
    // What selecting the project sets: the highest of pictures 2 to 9 found, else the stored count.
    qint16 count = project.Pics;
    for (const int k : found) {
        if (k >= 2 && k <= 9)
            count = qint16(k);
    }
    if (count != project.Pics) {
        messages.append(QCoreApplication::translate("CatalogueCheck",
                                                    "the stored picture count is %1, but picture %2 is the "
                                                    "highest found: selecting the project makes it %2")
                            .arg(project.Pics)
                            .arg(count));
    }
    // The long page lists pictures 1 to the stored count; picture 1 has been told above. Runs of
    // missing pictures make one finding each, so an absurd count cannot flood the report.
    int previous = 1;
    for (const int k : found) {
        if (k < 2)
            continue;
        if (k > project.Pics)
            break;
        if (k > previous + 1)
            messages.append(missingRangeMessage(project.Name, previous + 1, k - 1));
        previous = k;
    }
    if (project.Pics > previous)
        messages.append(missingRangeMessage(project.Name, previous + 1, project.Pics));
}

} // namespace

QList<CheckFinding> checkProjects(const QList<ProjectInfo> &projects, const QString &pictureFolder)
{
    const PictureListing listing(pictureFolder);
    QList<CheckFinding> findings;
    for (qsizetype i = 0; i < projects.size(); ++i) {
        const ProjectInfo &project = projects.at(i);
        QStringList messages;
        const bool canBeLookedUp = !PictureNames::picturePath(pictureFolder, project.Name, 1).isEmpty();
        if (!canBeLookedUp) {
            messages.append(QCoreApplication::translate("CatalogueCheck",
                                                        "the name cannot be looked up as a picture file: it holds "
                                                        "'/', '\\', a NUL or a character file names cannot "
                                                        "hold, so its pictures are never found"));
        }
        if (canBeLookedUp)
            checkPictures(project, listing, messages);
        for (const QString &message : std::as_const(messages))
            findings.append({i + 1, project.Name, message});
    }
    QSet<QByteArray> names;
    for (const ProjectInfo &project : projects)
        names.insert(QFile::encodeName(project.Name));
    for (const auto &[name, numbers] : listing.othersThan(names))
        findings.append({OrphanRecord, QFile::decodeName(name), orphanMessage(QFile::decodeName(name), numbers)});
    return findings;
}

CheckFinding fileFinding(const Message &message)
{
    // The window's two lines, joined on one.
    if (message.detail.isEmpty())
        return {0, QString(), message.text};
    return {0, QString(),
            message.text + QLatin1String(message.text.endsWith(QLatin1Char('.')) ? " " : ": ") + message.detail};
}

QString formatFinding(const CheckFinding &finding)
{
    if (finding.record == 0)
        return ProjectsFileName % QLatin1String(": ") % finding.message;
    if (finding.record == OrphanRecord)
        return PictureNames::FolderName % QLatin1String(": ") % finding.name % QLatin1String(": ") % finding.message;
    return ProjectsFileName % QLatin1Char(':') % QString::number(finding.record) % QLatin1String(": ") % finding.name
        % QLatin1String(": ") % finding.message;
}

} // namespace CatalogueCheck
