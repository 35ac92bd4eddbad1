#pragma once

#include "filestatus.h"

#include <QString>

#include <optional>

class QDebug;

// What a file was when the program last read or wrote it, so that a save can tell whether another
// program changed it since and what replacing it would lose.
class FileIdentity
{
public:
    enum class Kind {
        Unknown, // never read: nothing to compare with
        Missing, // nothing was at the path
        Unreadable, // something was, and could not be read (reason())
        NothingKept, // read, but nothing of what it holds was kept: replacing it always loses that
        Known, // a file, as it was read or written
    };

    FileIdentity() = default;
    static FileIdentity missing();
    // `info`, when known, is the status of what could not be read, taken at `takenAt`.
    static FileIdentity unreadable(const QString &reason, const FileStatus *info = nullptr, qint64 takenAt = 0);
    // The status `info` taken at `takenAt` (now()), with the `hash` of the bytes as they were read
    // or written; without it, the bytes count as changed unless the status alone proves otherwise.
    static FileIdentity of(const FileStatus &info, qint64 takenAt, std::optional<quint64> hash);
    // `read`, whose content the program kept nothing of.
    static FileIdentity nothingKept(const FileIdentity &read);
    // What stands at `path` now, read whole: the version a question about replacing it is about.
    static FileIdentity current(const QString &path);
    // The clock identities are taken by: nanoseconds since the epoch.
    static qint64 now();

    Kind kind() const { return m_kind; }
    QString reason() const { return m_reason; }
    // What names a known file's version across runs (the hash is this run's only): its size, its
    // inode and when it was last modified, in nanoseconds since the epoch.
    qint64 size() const { return m_size; }
    quint64 inode() const { return m_inode; }
    qint64 modified() const { return m_modified; }

    // Whether replacing what stands at `path` now, `now` (null when nothing does), loses nothing
    // that this did not see: the same file untouched, or one with the same bytes. The bytes are
    // read unless the status alone proves the file untouched.
    bool allowsReplacing(const FileStatus *now, const QString &path) const;

    friend bool operator==(const FileIdentity &a, const FileIdentity &b);
    friend bool operator!=(const FileIdentity &a, const FileIdentity &b) { return !(a == b); }

private:
    Kind m_kind = Kind::Unknown;
    QString m_reason;
    bool m_hasStatus = false;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    qint64 m_size = 0;
    // Nanoseconds since the epoch: the last change of the bytes, of the status, and when the
    // status was taken.
    qint64 m_modified = 0;
    qint64 m_changed = 0;
    qint64 m_takenAt = 0;
    std::optional<quint64> m_hash;

    void setStatus(const FileStatus &info, qint64 takenAt);
    bool sameStatus(const FileStatus &now) const;

    friend QDebug operator<<(QDebug debug, const FileIdentity &identity);
};

QDebug operator<<(QDebug debug, const FileIdentity &identity);
