#pragma once

#include "projectinfo.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class QDebug;

// What storing a new name for a project does to its pictures: which of them take the new name, or
// why they all keep the old one. Planned from the picture folder as it stands; the window's name
// step and the command line carry it out alike.
struct PictureRename
{
    Q_DECLARE_TR_FUNCTIONS(PictureRename)

public:
    QString oldName;
    QString newName;
    QList<int> numbers; // the pictures under the old name, each to take the new one
    QString refusal; // why they keep the old name; empty when they may move
    // Said of new file names that differ from a file in the folder only in letter case, which a
    // case-blind file system takes for one file; they do not stop the rename.
    QStringList warnings;

    bool moves() const { return refusal.isEmpty() && !numbers.isEmpty(); }

    // `oldNameInUse`: another project still carries the old name and shows these pictures;
    // `newNameInUse`: another project carries the new name and would show them too.
    static PictureRename plan(const QString &folder, const QString &oldName, const QString &newName, bool oldNameInUse,
                              bool newNameInUse);
    // The same, for the project at `position` of `projects`, still under its old name, to be
    // named `newName`.
    static PictureRename plan(const QString &folder, const QList<ProjectInfo> &projects, qsizetype position,
                              const QString &newName);

    // What is said of each of `fileNames` that differs from a file in `folder` only in letter case,
    // files named in `leaving` aside. One pass over the folder, unsorted: a picture folder may hold
    // hundreds of thousands of files.
    static QStringList caseClashes(const QString &folder, const QStringList &fileNames,
                                   const QStringList &leaving = {});

    friend bool operator==(const PictureRename &a, const PictureRename &b)
    {
        return a.oldName == b.oldName && a.newName == b.newName && a.numbers == b.numbers && a.refusal == b.refusal
            && a.warnings == b.warnings;
    }
    friend bool operator!=(const PictureRename &a, const PictureRename &b) { return !(a == b); }
};

QDebug operator<<(QDebug debug, const PictureRename &rename);
