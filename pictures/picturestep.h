#pragma once

#include "picturenames.h"
#include "picturerename.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QDebug;

// One file's part in a step: its bytes before and after the step, or none where no file is.
struct PictureChange
{
    QString path;
    std::optional<QByteArray> before;
    std::optional<QByteArray> after;

    friend bool operator==(const PictureChange &a, const PictureChange &b)
    {
        return a.path == b.path && a.before == b.before && a.after == b.after;
    }
    friend bool operator!=(const PictureChange &a, const PictureChange &b) { return !(a == b); }
};

QDebug operator<<(QDebug debug, const PictureChange &change);

// How doing or undoing a step went: done, or why not, with every file as it was.
struct StepOutcome
{
    bool done = false;
    QString reason;

    friend bool operator==(const StepOutcome &a, const StepOutcome &b)
    {
        return a.done == b.done && a.reason == b.reason;
    }
    friend bool operator!=(const StepOutcome &a, const StepOutcome &b) { return !(a == b); }
};

QDebug operator<<(QDebug debug, const StepOutcome &outcome);

// One change to a project's pictures in the picture folder, as one undo step. It is prepared from
// the folder as it stands and keeps the bytes of every file it writes or removes, so that undo()
// puts each back byte for byte and redo() does the step again. Each does nothing, and says why,
// when a file is no longer as the step left it (another program changed it). Files are written
// through SafeFile; new ones are written before old ones are removed, so an interruption leaves a
// picture twice rather than not at all.
class PictureStep
{
    Q_DECLARE_TR_FUNCTIONS(PictureStep)

public:
    static constexpr int MaxPictures = 32767; // the catalogue's picture count is a 16-bit number
    // Pictures are GIFs of a few kilobytes; a larger file is not kept for undo.
    static constexpr qint64 MaxPictureBytes = qint64(64) << 20;

    // The pictures go after the project's last one, in this order (the folder made when missing).
    static PictureStep add(const QString &folder, const QString &name, const QList<QByteArray> &gifs);
    static PictureStep replace(const QString &folder, const QString &name, int k, const QByteArray &gif);
    // The later pictures move down a number, so that no gap is left.
    static PictureStep remove(const QString &folder, const QString &name, int k);
    // Picture `from` becomes picture `to`; those between move a number to make room. Moving to 1
    // makes it the main picture and keeps the others in their order.
    static PictureStep move(const QString &folder, const QString &name, int from, int to);
    // The pictures of a project whose name changes take the new name, as `plan` says, or the step is
    // refused with the plan's reason. Each file is renamed, never copied, and never over a file
    // that bears the name by the time of the rename.
    static PictureStep rename(const QString &folder, const PictureRename &plan);

    static QList<int> numbers(const QString &folder, const QString &name)
    {
        return PictureNames::existingPictures(folder, name);
    }

    // Empty when the step may be done; otherwise why it was refused (nothing to undo then).
    QString reason() const { return m_reason; }
    // Things the user should know that do not stop the step: file names that differ from an
    // existing picture only in letter case, which a case-blind file system would take for one.
    QStringList warnings() const { return m_warnings; }
    const QList<PictureChange> &changes() const { return m_changes; }
    // The bytes the step keeps to undo and redo itself.
    qint64 heldBytes() const;

    StepOutcome redo() { return apply(true); }
    StepOutcome undo() { return apply(false); }

private:
    using Slots = QList<std::optional<QByteArray>>; // index 0 is picture 1

    static PictureStep refused(const QString &reason);
    // The step from the project's pictures as they are to `after`; `before` is filled on the way.
    static PictureStep between(const QString &folder, const QString &name, const Slots &before, const Slots &after);
    static std::optional<Slots> readAll(const QString &folder, const QString &name, QString *reason);
    void noteCaseClashes(const QString &folder);
    StepOutcome apply(bool forward);
    StepOutcome applyRenames(bool forward);

    QString m_folder;
    QList<PictureChange> m_changes;
    QString m_reason;
    QStringList m_warnings;
    // A rename: each change's `before` is the file under the old name, the matching one of the
    // second half its new name.
    bool m_renames = false;
    bool m_fresh = false; // prepared, and not yet done or undone
};
