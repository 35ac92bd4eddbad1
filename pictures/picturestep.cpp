#include "picturestep.h"

#include "contenthash.h"
#include "fileerrors.h"
#include "fileidentity.h"
#include "picturenames.h"
#include "plainfile.h"
#include "safefile.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

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

QList<int> PictureStep::numbers(const QString &folder, const QString &name)
{
    QList<int> found;
    for (int k = 1; k <= MaxPictures; ++k) {
        const QString path = PictureNames::picturePath(folder, name, k);
        if (path.isEmpty())
            break;
        if (exists(path))
            found.append(k);
        else if (k > 9)
            break;
    }
    return found;
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
    if (created.isEmpty())
        return;
    const QStringList present = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString &name : std::as_const(created)) {
        for (const QString &other : present) {
            if (other != name && other.compare(name, Qt::CaseInsensitive) == 0)
                m_warnings.append(tr("%1 differs from the picture %2 only in letter case; a file system that "
                                     "ignores case takes them for one file.")
                                      .arg(name, other));
        }
    }
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

PictureStep PictureStep::rename(const QString &folder, const QString &oldName, const QString &newName,
                                bool oldNameInUse)
{
    if (oldName == newName)
        return {};
    QString reason;
    const std::optional<Slots> pictures = readAll(folder, oldName, &reason);
    if (!pictures)
        return refused(reason);
    if (pictures->isEmpty())
        return {};
    if (PictureNames::picturePath(folder, newName, 1).isEmpty())
        return refused(tr("The pictures keep the name %1: %2 cannot be part of a file name.").arg(oldName, newName));
    if (oldNameInUse)
        return refused(tr("The pictures keep the name %1: another project still carries it.").arg(oldName));
    PictureStep step;
    step.m_folder = folder;
    for (int k = 1; k <= pictures->size(); ++k) {
        if (!pictures->at(k - 1))
            continue;
        const QString target = PictureNames::picturePath(folder, newName, k);
        if (target.isEmpty())
            return refused(
                tr("The pictures keep the name %1: %2 cannot be part of a file name.").arg(oldName, newName));
        if (exists(target))
            return refused(tr("The pictures keep the name %1: %2 exists already.").arg(oldName, fileName(target)));
        step.m_changes.append({target, std::nullopt, pictures->at(k - 1)});
    }
    if (!numbers(folder, newName).isEmpty())
        return refused(tr("The pictures keep the name %1: pictures named %2 exist already.").arg(oldName, newName));
    for (int k = 1; k <= pictures->size(); ++k) {
        if (pictures->at(k - 1))
            step.m_changes.append({PictureNames::picturePath(folder, oldName, k), pictures->at(k - 1), std::nullopt});
    }
    step.noteCaseClashes(folder);
    return step;
}

StepOutcome PictureStep::apply(bool forward)
{
    if (!m_reason.isEmpty())
        return {false, m_reason};
    if (m_changes.isEmpty())
        return {true, {}};
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
