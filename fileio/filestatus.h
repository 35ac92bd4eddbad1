#pragma once

#include <QtGlobal>

#include <optional>

class QDebug;
class QString;

// What the system says of a file at one moment: enough to tell one version of it from another.
// Times are nanoseconds since the epoch. The portable file layer knows them to the millisecond and
// knows no device, inode or count of names (zero, zero and one).
struct FileStatus
{
    enum class Type { PlainFile, Folder, Link, Other };
    // Whether a link at the path is followed to what it leads to, or is itself what is asked about.
    enum class Links { Followed, Kept };

    Type type = Type::Other;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified = 0; // the last change of the bytes
    qint64 changed = 0; // the last change of the status
    qint64 names = 1; // a hard link is a second name

    // The status of what stands at `path`; std::nullopt, with the system's error number in `error`,
    // when there is none to be had.
    static std::optional<FileStatus> of(const QString &path, Links links = Links::Followed, int *error = nullptr);
};

bool operator==(const FileStatus &a, const FileStatus &b);
inline bool operator!=(const FileStatus &a, const FileStatus &b)
{
    return !(a == b);
}
QDebug operator<<(QDebug debug, const FileStatus &status);

// Names made and removed in a folder, each file layer in its own way: 0, or the system's error
// number (the portable layer knows only EEXIST, ENOENT and, for any other failure, EACCES).
namespace FileNames {
int remove(const QString &path);
int makeFolder(const QString &path);
} // namespace FileNames
