#include "picturerename.h"

#include "picturenames.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QHash>
#include <QFileInfo>

QStringList PictureRename::caseClashes(const QString &folder, const QStringList &fileNames, const QStringList &leaving)
{
    QHash<QString, QString> folded; // the names looked for, by their case-folded spelling
    for (const QString &name : fileNames)
        folded.insert(name.toCaseFolded(), name);
    QStringList said;
    if (folded.isEmpty())
        return said;
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        const QString other = QFileInfo(entries.next()).fileName();
        const auto found = folded.constFind(other.toCaseFolded());
        if (found != folded.cend() && *found != other && !leaving.contains(other))
            said.append(tr("%1 differs from the picture %2 only in letter case; a file system that ignores case "
                           "takes them for one file.")
                            .arg(*found, other));
    }
    return said;
}

QDebug operator<<(QDebug debug, const PictureRename &rename)
{
    QDebugStateSaver saver(debug);
    return debug.nospace() << "PictureRename(" << rename.oldName << " -> " << rename.newName << ", " << rename.numbers
                           << ", " << rename.refusal << ", " << rename.warnings << ')';
}

PictureRename PictureRename::plan(const QString &folder, const QString &oldName, const QString &newName,
                                  bool oldNameInUse, bool newNameInUse)
{
    PictureRename rename;
    rename.oldName = oldName;
    rename.newName = newName;
    if (oldName == newName)
        return rename;
    rename.numbers = PictureNames::existingPictures(folder, oldName);
    if (rename.numbers.isEmpty())
        return rename;
    const QString keep = tr("The pictures keep the name %1: ").arg(oldName);
    if (PictureNames::picturePath(folder, newName, rename.numbers.last()).isEmpty()) {
        rename.refusal = keep + tr("%1 cannot be part of a file name.").arg(newName);
        return rename;
    }
    if (oldNameInUse) {
        rename.refusal = keep + tr("another project still carries it.");
        return rename;
    }
    if (newNameInUse) {
        rename.refusal = keep + tr("another project is named %1 too.").arg(newName);
        return rename;
    }
    for (const int k : std::as_const(rename.numbers)) {
        if (QFileInfo::exists(PictureNames::picturePath(folder, newName, k))
            || QFileInfo(PictureNames::picturePath(folder, newName, k)).isSymLink()) {
            rename.refusal = keep + tr("%1 exists already.").arg(PictureNames::pictureFileName(newName, k));
            return rename;
        }
    }
    // Pictures of the new name beyond those that move would follow on from them.
    if (!PictureNames::existingPictures(folder, newName).isEmpty()) {
        rename.refusal = keep + tr("pictures named %1 exist already.").arg(newName);
        return rename;
    }
    QStringList targets, leaving;
    for (const int k : std::as_const(rename.numbers)) {
        targets.append(PictureNames::pictureFileName(newName, k));
        leaving.append(PictureNames::pictureFileName(oldName, k));
    }
    rename.warnings = caseClashes(folder, targets, leaving);
    return rename;
}

PictureRename PictureRename::plan(const QString &folder, const QList<ProjectInfo> &projects, qsizetype position,
                                  const QString &newName)
{
    const QString oldName = projects.at(position).Name;
    bool oldInUse = false;
    bool newInUse = false;
    for (qsizetype i = 0; i < projects.size(); ++i) {
        if (i == position)
            continue;
        oldInUse = oldInUse || projects.at(i).Name == oldName;
        newInUse = newInUse || projects.at(i).Name == newName;
    }
    return plan(folder, oldName, newName, oldInUse, newInUse);
}
