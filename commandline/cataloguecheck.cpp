#include "cataloguecheck.h"

#include "picturenames.h"
#include "cataloguefile.h"

#include <QDebug>

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
        return QStringLiteral("picture %1 is missing (%2): the long page will show a broken image")
            .arg(first)
            .arg(PictureNames::pictureFileName(name, first));
    }
    return QStringLiteral("pictures %1 to %2 are missing (%3 to %4): the long page will show "
                          "broken images")
        .arg(first)
        .arg(last)
        .arg(PictureNames::pictureFileName(name, first), PictureNames::pictureFileName(name, last));
}

void checkPictures(const ProjectInfo &project, const QString &folder, QStringList &messages)
{
    const auto exists = [&](int k) {
        return PictureNames::isPictureFile(PictureNames::picturePath(folder, project.Name, k));
    };
    if (!exists(1)) {
        messages.append(QStringLiteral("picture 1 is missing (%1): the %2 will show a broken image")
                            .arg(PictureNames::pictureFileName(project.Name, 1),
                                 project.Pics >= 1 ? QStringLiteral("index, short and long pages")
                                                   : QStringLiteral("index and short pages")));
    }
    const qint16 found = PictureNames::foundPictureCount(folder, project.Name, project.Pics);
    if (found != project.Pics) {
        messages.append(QStringLiteral("the stored picture count is %1, but picture %2 is the "
                                       "highest found: selecting the project makes it %2")
                            .arg(project.Pics)
                            .arg(found));
    }
    // The long page lists pictures 1 to the stored count; picture 1 has been told above. Runs of
    // missing pictures make one finding each, so an absurd count cannot flood the report.
    for (int k = 2; k <= project.Pics; ++k) {
        if (exists(k))
            continue;
        int last = k;
        while (last < project.Pics && !exists(last + 1))
            ++last;
        messages.append(missingRangeMessage(project.Name, k, last));
        k = last;
    }
}

} // namespace

QList<CheckFinding> checkProjects(const QList<ProjectInfo> &projects, const QString &pictureFolder)
{
    QList<CheckFinding> findings;
    for (qsizetype i = 0; i < projects.size(); ++i) {
        const ProjectInfo &project = projects.at(i);
        QStringList messages;
        const bool canBeLookedUp = !PictureNames::picturePath(pictureFolder, project.Name, 1).isEmpty();
        if (!canBeLookedUp) {
            messages.append(QStringLiteral("the name cannot be looked up as a picture file: it holds "
                                           "'/', '\\', a NUL or a character file names cannot "
                                           "hold, so its pictures are never found"));
        }
        if (canBeLookedUp)
            checkPictures(project, pictureFolder, messages);
        for (const QString &message : std::as_const(messages))
            findings.append({i + 1, project.Name, message});
    }
    return findings;
}

CheckFinding fileFinding(const QString &message)
{
    // The window's two sentences, joined on one line.
    QStringList sentences = message.split(QLatin1Char('\r'));
    for (qsizetype i = 0; i + 1 < sentences.size(); ++i) {
        const QString &sentence = sentences.at(i);
        if (!sentence.endsWith(QLatin1Char('.')))
            sentences[i] = sentence + QLatin1Char(':');
    }
    return {0, QString(), sentences.join(QLatin1Char(' '))};
}

QString formatFinding(const CheckFinding &finding)
{
    if (finding.record == 0)
        return QStringLiteral("%1: %2").arg(ProjectsFileName, finding.message);
    // One line per finding, whatever the name holds.
    QString name = finding.name;
    name.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QStringLiteral("%1:%2: %3: %4").arg(ProjectsFileName).arg(finding.record).arg(name, finding.message);
}

} // namespace CatalogueCheck
