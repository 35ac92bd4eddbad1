#pragma once

#include "catalogueedit.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class FileIdentity;
class QDebug;

// One stored edit of the catalogue and when it was made.
struct RecoveryEntry
{
    QDateTime madeAt;
    CatalogueEdit edit;
};

bool operator==(const RecoveryEntry &a, const RecoveryEntry &b);
QDebug operator<<(QDebug debug, const RecoveryEntry &entry);

// The unsaved edits of one catalogue folder, kept outside it so that a crash, a kill or a power cut
// loses no more of them than the last write of the journal. Replayed in order on the projects.txt
// they were made against, they make the catalogue again exactly; on any other file they are not
// replayed at all.
struct RecoveryJournal
{
    // The catalogue folder, absolute.
    QString folder;
    // projects.txt as the edits found it: whether it was a file read whole, and then its size, inode
    // and time of change. Any change, even a touch, makes it another file for the edits: they are
    // not replayed on what they might not fit.
    bool baseKnown = false;
    qint64 baseSize = 0;
    quint64 baseInode = 0;
    qint64 baseModified = 0;
    QList<RecoveryEntry> entries;

    void setBase(const FileIdentity &identity);
    // Whether `identity`, projects.txt as read now, holds what the edits were made against.
    bool madeAgainst(const FileIdentity &identity) const;

    // The journal's name for `folder`, the same for every spelling of one absolute path.
    static QString fileNameFor(const QString &folder);

    // Lengths and counts before the texts they measure, so any text comes back as it was.
    QByteArray encode() const;
    // Nothing when `bytes` are not a whole journal.
    static std::optional<RecoveryJournal> decode(const QByteArray &bytes);

    // Through the guarded durable replace; an empty text, or the reason it failed.
    QString write(const QString &path) const;
    // Nothing when there is no journal at `path` or it cannot be read whole.
    static std::optional<RecoveryJournal> read(const QString &path);
};

bool operator==(const RecoveryJournal &a, const RecoveryJournal &b);
QDebug operator<<(QDebug debug, const RecoveryJournal &journal);
