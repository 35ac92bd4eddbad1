#include "picturestep.h"

#include "contenthash.h"
#include "exclusiverename.h"
#include "fileerrors.h"
#include "fileidentity.h"
#include "picturenames.h"
#include "plainfile.h"
#include "safefile.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <utility>

namespace {

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

bool exists(const QString &path)
{
    return FileStatus::of(path, FileStatus::Links::Kept).has_value();
}

struct ReadPicture
{
    QByteArray bytes;
    FileIdentity identity;
    QString reason; // empty when read
};

ReadPicture readPicture(const QString &path, qint64 limit)
{
    const qint64 takenAt = FileIdentity::now();
    PlainFile file(path);
    if (!file.open())
        return {{}, {}, QStringLiteral("%1: %2").arg(fileName(path), file.errorString())};
    if (file.info().size > limit)
        return {{}, {}, PictureStep::tr("%1 is larger than a picture can be.").arg(fileName(path))};
    const QByteArray bytes = file.file().read(limit + 1);
    if (file.file().error() != QFileDevice::NoError || bytes.size() != file.info().size)
        return {{}, {}, QStringLiteral("%1: %2").arg(fileName(path), file.file().errorString())};
    ContentHash hash;
    hash.add(bytes.constData(), bytes.size());
    return {bytes, FileIdentity::of(file.info(), takenAt, hash.value()), {}};
}

QString write(const QString &path, const QByteArray &bytes, const FileIdentity &expected)
{
    SafeFile file(path);
    if (!file.open())
        return file.errorString();
    if (!file.mayReplace(expected))
        return PictureStep::tr("%1 was changed by another program.").arg(fileName(path));
    if (!file.commit(file.device().write(bytes) == bytes.size()))
        return file.errorString();
    return {};
}

QString removeFile(const QString &path)
{
    const int error = FileNames::remove(path);
    if (error != 0 && error != ENOENT)
        return QStringLiteral("%1: %2").arg(fileName(path), FileErrors::reason(error, path));
    return {};
}

} // namespace

QDebug operator<<(QDebug debug, const PictureChange &change)
{
    QDebugStateSaver saver(debug);
    const auto describe = [](const std::optional<QByteArray> &bytes) {
        return bytes ? QString::number(bytes->size()) + QStringLiteral(" bytes") : QStringLiteral("none");
    };
    return debug.nospace() << "PictureChange(" << change.path << ", " << describe(change.before) << " -> "
                           << describe(change.after) << ')';
}

QDebug operator<<(QDebug debug, const StepOutcome &outcome)
{
    QDebugStateSaver saver(debug);
    return debug.nospace() << "StepOutcome(" << (outcome.done ? "done" : "not done") << ", " << outcome.reason << ')';
}

PictureStep PictureStep::refused(const QString &reason)
{
    PictureStep step;
    step.m_reason = reason;
    return step;
}

std::optional<PictureStep::Slots> PictureStep::readAll(const QString &folder, const QString &name, QString *reason)
{
    Slots pictures;
    for (int k : numbers(folder, name)) {
        const ReadPicture read = readPicture(PictureNames::picturePath(folder, name, k), MaxPictureBytes);
        if (!read.reason.isEmpty()) {
            *reason = read.reason;
            return std::nullopt;
        }
        pictures.resize(k);
        pictures[k - 1] = read.bytes;
    }
    return pictures;
}

PictureStep PictureStep::between(const QString &folder, const QString &name, const Slots &before, const Slots &after)
{
    PictureStep step;
    step.m_folder = folder;
    for (int i = 0; i < qMax(before.size(), after.size()); ++i) {
        const std::optional<QByteArray> was = i < before.size() ? before[i] : std::nullopt;
        const std::optional<QByteArray> will = i < after.size() ? after[i] : std::nullopt;
        if (was != will)
            step.m_changes.append({PictureNames::picturePath(folder, name, i + 1), was, will});
    }
    return step;
}

void PictureStep::noteCaseClashes(const QString &folder)
{
    QStringList created;
    for (const PictureChange &change : std::as_const(m_changes)) {
        if (!change.before)
            created.append(fileName(change.path));
    }
    m_warnings += PictureRename::caseClashes(folder, created);
}

PictureStep PictureStep::add(const QString &folder, const QString &name, const QList<QByteArray> &gifs)
{
    if (PictureNames::picturePath(folder, name, 1).isEmpty())
        return refused(tr("The name %1 cannot be part of a file name, so it cannot have pictures.").arg(name));
    QString reason;
    const std::optional<Slots> before = readAll(folder, name, &reason);
    if (!before)
        return refused(reason);
    if (before->size() + gifs.size() > MaxPictures)
        return refused(tr("A project has at most %1 pictures.").arg(MaxPictures));
    Slots after = *before;
    for (const QByteArray &gif : gifs)
        after.append(gif);
    PictureStep step = between(folder, name, *before, after);
    step.noteCaseClashes(folder);
    return step;
}

PictureStep PictureStep::replace(const QString &folder, const QString &name, int k, const QByteArray &gif)
{
    if (PictureNames::picturePath(folder, name, 1).isEmpty())
        return refused(tr("The name %1 cannot be part of a file name, so it cannot have pictures.").arg(name));
    if (k < 1 || k > MaxPictures)
        return refused(tr("There is no picture %1.").arg(k));
    QString reason;
    const std::optional<Slots> before = readAll(folder, name, &reason);
    if (!before)
        return refused(reason);
    Slots after = *before;
    if (after.size() < k)
        after.resize(k);
    after[k - 1] = gif;
    PictureStep step = between(folder, name, *before, after);
    step.noteCaseClashes(folder);
    return step;
}

PictureStep PictureStep::remove(const QString &folder, const QString &name, int k)
{
    QString reason;
    const std::optional<Slots> before = readAll(folder, name, &reason);
    if (!before)
        return refused(reason);
    if (k < 1 || k > before->size() || !before->at(k - 1))
        return refused(tr("There is no picture %1.").arg(k));
    Slots after = *before;
    after.removeAt(k - 1);
    return between(folder, name, *before, after);
}

PictureStep PictureStep::move(const QString &folder, const QString &name, int from, int to)
{
    QString reason;
    const std::optional<Slots> before = readAll(folder, name, &reason);
    if (!before)
        return refused(reason);
    if (from < 1 || from > before->size() || !before->at(from - 1))
        return refused(tr("There is no picture %1.").arg(from));
    if (to < 1 || to > before->size())
        return refused(tr("There is no picture %1.").arg(to));
    Slots after = *before;
    after.move(from - 1, to - 1);
    return between(folder, name, *before, after);
}

PictureStep PictureStep::rename(const QString &folder, const PictureRename &plan)
{
    if (!plan.refusal.isEmpty())
        return refused(plan.refusal);
    PictureStep step;
    step.m_folder = folder;
    step.m_renames = true;
    step.m_fresh = true;
    step.m_warnings = plan.warnings;
    QList<PictureChange> removed;
    for (const int k : plan.numbers) {
        const QString from = PictureNames::picturePath(folder, plan.oldName, k);
        const ReadPicture read = readPicture(from, MaxPictureBytes);
        if (!read.reason.isEmpty())
            return refused(read.reason);
        step.m_changes.append({PictureNames::picturePath(folder, plan.newName, k), std::nullopt, read.bytes});
        removed.append({from, read.bytes, std::nullopt});
    }
    step.m_changes += removed;
    return step;
}

qint64 PictureStep::heldBytes() const
{
    qint64 held = 0;
    for (const PictureChange &change : m_changes) {
        // A rename's bytes are held once, shared by both halves.
        held += (change.before ? change.before->size() : 0) + (change.after && !m_renames ? change.after->size() : 0);
    }
    return held;
}

StepOutcome PictureStep::applyRenames(bool forward)
{
    const QString untouched = tr("Nothing was changed.");
    const qsizetype count = m_changes.size() / 2;
    // Forward, the second half (old names) go to the first (new names); back, the other way.
    const auto source = [&](qsizetype i) -> const PictureChange & { return m_changes[forward ? count + i : i]; };
    const auto target = [&](qsizetype i) -> const PictureChange & { return m_changes[forward ? i : count + i]; };
    // Just prepared from the files' bytes, a rename need not read them again: the files move whole,
    // and a name taken meanwhile is refused by the rename itself.
    const bool justRead = std::exchange(m_fresh, false) && forward;
    for (qsizetype i = 0; i < count && !justRead; ++i) {
        const PictureChange &from = source(i);
        const ReadPicture read = readPicture(from.path, MaxPictureBytes);
        if (!read.reason.isEmpty())
            return {false, read.reason + QLatin1Char(' ') + untouched};
        if (read.bytes != (from.before ? *from.before : *from.after))
            return {false, tr("%1 was changed by another program. %2").arg(fileName(from.path), untouched)};
        if (exists(target(i).path))
            return {false, tr("%1 is there now. %2").arg(fileName(target(i).path), untouched)};
    }
    QString failure;
    qsizetype done = 0;
    for (; done < count && failure.isEmpty(); ++done) {
        failure = ExclusiveRename::rename(source(done).path, target(done).path);
        if (!failure.isEmpty())
            break;
    }
    if (failure.isEmpty())
        failure = SafeFile::flushFolder(m_folder);
    if (failure.isEmpty())
        return {true, {}};
    QStringList notPutBack;
    while (done-- > 0) {
        if (!ExclusiveRename::rename(target(done).path, source(done).path).isEmpty())
            notPutBack.append(fileName(source(done).path));
    }
    const QString flushed = SafeFile::flushFolder(m_folder);
    if (!notPutBack.isEmpty())
        return {false,
                failure + QLatin1Char(' ')
                    + tr("These pictures could not be put back as they were: %1.")
                          .arg(notPutBack.join(QStringLiteral(", ")))};
    return {false, failure + QLatin1Char(' ') + (flushed.isEmpty() ? untouched : flushed)};
}

StepOutcome PictureStep::apply(bool forward)
{
    if (!m_reason.isEmpty())
        return {false, m_reason};
    if (m_changes.isEmpty())
        return {true, {}};
    if (m_renames)
        return applyRenames(forward);
    const auto from = [forward](const PictureChange &c) -> const std::optional<QByteArray> & {
        return forward ? c.before : c.after;
    };
    const auto to = [forward](const PictureChange &c) -> const std::optional<QByteArray> & {
        return forward ? c.after : c.before;
    };
    const QString untouched = tr("Nothing was changed.");

    // Every file first, as the step left it: a picture another program changed since is never lost.
    QList<FileIdentity> identities;
    for (const PictureChange &change : std::as_const(m_changes)) {
        if (!from(change)) {
            if (exists(change.path))
                return {false, tr("%1 is there now. %2").arg(fileName(change.path), untouched)};
            identities.append(FileIdentity::missing());
            continue;
        }
        const ReadPicture read = readPicture(change.path, MaxPictureBytes);
        if (!read.reason.isEmpty())
            return {false, read.reason + QLatin1Char(' ') + untouched};
        if (read.bytes != *from(change))
            return {false, tr("%1 was changed by another program. %2").arg(fileName(change.path), untouched)};
        identities.append(read.identity);
    }

    if (!QFileInfo(m_folder).isDir()) {
        const int error = FileNames::makeFolder(m_folder);
        if (error != 0 && error != EEXIST)
            return {false, QStringLiteral("%1: %2").arg(m_folder, FileErrors::reason(error, m_folder))};
        const QString flushed = SafeFile::flushFolder(QFileInfo(m_folder).path());
        if (!flushed.isEmpty())
            return {false, flushed};
    }

    // Writes before removals; on a failure, what was done is put back as it was.
    QList<int> done;
    QString failure;
    for (int pass = 0; pass < 2 && failure.isEmpty(); ++pass) {
        for (int i = 0; i < m_changes.size() && failure.isEmpty(); ++i) {
            const PictureChange &change = m_changes[i];
            if (bool(to(change)) != (pass == 0))
                continue;
            failure = to(change) ? write(change.path, *to(change), identities[i]) : removeFile(change.path);
            if (failure.isEmpty())
                done.append(i);
        }
    }
    if (failure.isEmpty())
        failure = SafeFile::flushFolder(m_folder);
    if (failure.isEmpty())
        return {true, {}};
    QStringList notPutBack;
    for (auto it = done.crbegin(); it != done.crend(); ++it) {
        const PictureChange &change = m_changes[*it];
        const QString undone =
            from(change) ? write(change.path, *from(change), FileIdentity()) : removeFile(change.path);
        if (!undone.isEmpty())
            notPutBack.append(fileName(change.path));
    }
    if (notPutBack.isEmpty()) {
        const QString flushed = SafeFile::flushFolder(m_folder);
        return {false, failure + QLatin1Char(' ') + (flushed.isEmpty() ? untouched : flushed)};
    }
    return {
        false,
        failure + QLatin1Char(' ')
            + tr("These pictures could not be put back as they were: %1.").arg(notPutBack.join(QStringLiteral(", ")))};
}
