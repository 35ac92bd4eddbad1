#pragma once

#include <QString>

#include <optional>

class QDebug;
struct stat;

// What a file was when the program last read or wrote it, so that a save can tell whether another
// program changed it since and what replacing it would lose.
class FileIdentity
{
public:
    enum class Kind {
        Unknown, // never read: nothing to compare with
        Missing, // nothing was at the path
        Unreadable, // something was, and could not be read (reason())
        Known, // a file, as it was read or written
    };

    FileIdentity() = default;
    static FileIdentity missing();
    static FileIdentity unreadable(const QString &reason);
    // `hash` of the bytes as they were read or written; without it, any change of the status
    // counts as a change of the bytes.
    static FileIdentity of(const struct stat &info, std::optional<quint64> hash);

    Kind kind() const { return m_kind; }
    QString reason() const { return m_reason; }
    // What names a known file's version across runs (the hash is this run's only): its size, its
    // inode and when it was last modified, in nanoseconds since the epoch.
    qint64 size() const { return m_size; }
    quint64 inode() const { return m_inode; }
    qint64 modified() const { return m_modified; }

    // Whether replacing what stands at `path` now, `now` (null when nothing does), loses nothing
    // that this did not see: the same file untouched, or one with the same bytes. The bytes are
    // read only when the status alone cannot tell.
    bool allowsReplacing(const struct stat *now, const QString &path) const;

    friend bool operator==(const FileIdentity &a, const FileIdentity &b);
    friend bool operator!=(const FileIdentity &a, const FileIdentity &b) { return !(a == b); }

private:
    Kind m_kind = Kind::Unknown;
    QString m_reason;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    qint64 m_size = 0;
    qint64 m_modified = 0; // nanoseconds since the epoch
    std::optional<quint64> m_hash;

    friend QDebug operator<<(QDebug debug, const FileIdentity &identity);
};

QDebug operator<<(QDebug debug, const FileIdentity &identity);
