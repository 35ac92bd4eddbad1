#include "recoveryjournal.h"

#include "fileidentity.h"
#include "safefile.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDebug>
#include <QDir>
#include <QFile>

namespace {

constexpr quint32 Magic = 0x50434a31; // "PCJ1"
constexpr int MaxKind = int(CatalogueEdit::Kind::SetField);

QDataStream &operator<<(QDataStream &out, const ProjectInfo &project)
{
    return out << project.Name << project.Location << project.ShortDesc << project.LongDesc << project.Pics;
}

QDataStream &operator>>(QDataStream &in, ProjectInfo &project)
{
    return in >> project.Name >> project.Location >> project.ShortDesc >> project.LongDesc >> project.Pics;
}

} // namespace

void RecoveryJournal::setBase(const FileIdentity &identity)
{
    baseKnown = identity.kind() == FileIdentity::Kind::Known;
    baseSize = baseKnown ? identity.size() : 0;
    baseInode = baseKnown ? identity.inode() : 0;
    baseModified = baseKnown ? identity.modified() : 0;
}

bool RecoveryJournal::madeAgainst(const FileIdentity &identity) const
{
    RecoveryJournal now;
    now.setBase(identity);
    // Edits made on a catalogue that was not read whole cannot be known to fit anything read later.
    return baseKnown && now.baseKnown && now.baseSize == baseSize && now.baseInode == baseInode
        && now.baseModified == baseModified;
}

QString RecoveryJournal::fileNameFor(const QString &folder)
{
    const QByteArray path = QFile::encodeName(QDir::cleanPath(QDir(folder).absolutePath()));
    return QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(32))
        + QStringLiteral(".journal");
}

QByteArray RecoveryJournal::encode() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << Magic << folder << baseKnown << baseSize << baseInode << baseModified << quint32(entries.size());
    for (const RecoveryEntry &entry : entries) {
        const CatalogueEdit &edit = entry.edit;
        out << entry.madeAt.toMSecsSinceEpoch() << quint8(edit.kind) << edit.position << edit.project
            << (edit.kind == CatalogueEdit::Kind::SetField ? fieldKey(edit.field) : QString()) << edit.before
            << edit.after;
    }
    return bytes;
}

std::optional<RecoveryJournal> RecoveryJournal::decode(const QByteArray &bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    RecoveryJournal journal;
    quint32 magic = 0;
    quint32 count = 0;
    in >> magic >> journal.folder >> journal.baseKnown >> journal.baseSize >> journal.baseInode >> journal.baseModified
        >> count;
    if (in.status() != QDataStream::Ok || magic != Magic)
        return std::nullopt;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        RecoveryEntry entry;
        qint64 madeAt = 0;
        quint8 kind = 0;
        CatalogueEdit &edit = entry.edit;
        QString key;
        in >> madeAt >> kind >> edit.position >> edit.project >> key >> edit.before >> edit.after;
        if (kind > MaxKind)
            return std::nullopt;
        edit.kind = CatalogueEdit::Kind(kind);
        if (edit.kind == CatalogueEdit::Kind::SetField) {
            const std::optional<Field> field = fieldForKey(key);
            // An edit of no field could not be replayed as it was made.
            if (!field)
                return std::nullopt;
            edit.field = *field;
        }
        entry.madeAt = QDateTime::fromMSecsSinceEpoch(madeAt, Qt::UTC);
        journal.entries.append(entry);
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return journal;
}

QString RecoveryJournal::write(const QString &path) const
{
    SafeFile file(path);
    if (!file.open())
        return file.errorString();
    const QByteArray bytes = encode();
    if (!file.commit(file.device().write(bytes) == bytes.size()))
        return file.errorString();
    return QString();
}

std::optional<RecoveryJournal> RecoveryJournal::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decode(file.readAll());
}

bool operator==(const RecoveryEntry &a, const RecoveryEntry &b)
{
    return a.madeAt == b.madeAt && a.edit == b.edit;
}

QDebug operator<<(QDebug debug, const RecoveryEntry &entry)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "RecoveryEntry(" << entry.madeAt << ", " << entry.edit << ')';
    return debug;
}

bool operator==(const RecoveryJournal &a, const RecoveryJournal &b)
{
    return a.folder == b.folder && a.baseKnown == b.baseKnown && a.baseSize == b.baseSize && a.baseInode == b.baseInode
        && a.baseModified == b.baseModified && a.entries == b.entries;
}

QDebug operator<<(QDebug debug, const RecoveryJournal &journal)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "RecoveryJournal(" << journal.folder << ", ";
    if (journal.baseKnown)
        debug << journal.baseSize << " bytes, inode " << journal.baseInode << ", modified " << journal.baseModified;
    else
        debug << "no file read";
    debug << ", " << journal.entries << ')';
    return debug;
}
