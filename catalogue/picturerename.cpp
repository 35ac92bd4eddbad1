#include "picturerename.h"

#include "picturenames.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

QString PictureRename::caseClash(const QString &fileName, const QString &existing)
{
    return tr("%1 differs from the picture %2 only in letter case; a file system that ignores case takes them "
              "for one file.")
        .arg(fileName, existing);
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
    const QStringList present = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const int k : std::as_const(rename.numbers)) {
        const QString name = PictureNames::pictureFileName(newName, k);
        for (const QString &other : present) {
            if (other != name && other.compare(name, Qt::CaseInsensitive) == 0
                && other != PictureNames::pictureFileName(oldName, k))
                rename.warnings.append(caseClash(name, other));
        }
    }
    return rename;
}

PictureRename PictureRename::plan(const QString &folder, const QList<ProjectInfo> &projects, qsizetype position,
                                  const QString &oldName)
{
    const QString newName = projects.at(position).Name;
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
