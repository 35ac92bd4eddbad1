#pragma once

#include "contenthash.h"
#include "fileidentity.h"

#include <QSaveFile>
#include <QString>

#include <optional>

class QIODevice;

// Every file the program writes goes through here. The bytes go to a temporary file beside the
// target, reach the disk, and only then take the target's name; the folder is flushed before
// success is reported. A crash or a power cut at any moment leaves the old file or the new one,
// whole, and a save that was reported is on disk. A write-protected target is refused, and so is
// anything but a plain file, or a path that leads to one through a link another user could aim.
// The portable file layer (CATALOGUE_PORTABLE_FILEIO) keeps the temporary file, the rename and the
// refusals of what is not a plain file; the folder flush, the judging of links and owners, the
// count of names and the extended attributes are the Linux layer's alone.
class SafeFile
{
public:
    explicit SafeFile(const QString &path);
    ~SafeFile();
    SafeFile(const SafeFile &) = delete;
    SafeFile &operator=(const SafeFile &) = delete;

    // Creates the file that is to replace the target; false, with errorString() saying why.
    bool open();
    // After a failed open(): the target is not a file the program replaces (a folder, a device, a
    // link of another user or to nowhere), as opposed to one it could not write.
    bool refused() const { return m_refused; }
    // Just before commit(): whether the target, as it stands now, may be replaced without losing
    // what `expected` did not see (FileIdentity::allowsReplacing).
    bool mayReplace(const FileIdentity &expected);
    // After mayReplace(): the target has another name (a hard link), which a replace leaves with
    // the old bytes.
    bool hasOtherNames() const { return m_now && m_now->names > 1; }
    // The file replaced, once open: the requested one, or the one its links lead to.
    QString target() const { return m_path; }
    // Where the new file's bytes go, once open.
    QIODevice &device() { return m_file; }
    // Puts the written file in the target's place; `written` is false when a write to device()
    // failed. False, with errorString() saying why, when the target stays as it was. Without a
    // successful commit the temporary file is removed.
    bool commit(bool written);
    QString errorString() const { return m_error; }
    // Leaves the folder flush after commit() to the caller, who flushes the folder once after many
    // files and before reporting any of them saved. The file's bytes are still on disk before its
    // rename.
    void deferFolderFlush() { m_flushFolder = false; }
    // A name made, renamed or removed in `folder` is on disk only once the folder is: flushes it,
    // giving the reason when that fails.
    static QString flushFolder(const QString &folder);
    // After a successful commit: the new file.
    FileIdentity identity() const { return m_identity; }

private:
    bool fail(const QString &reason);
    bool refuse(const QString &reason);
    // What each file layer does in its own way.
    bool findTarget();
    void keepMetadata();
    QString syncWritten();
    std::optional<FileStatus> writtenStatus() const;
    static void startWriteBack(int handle, qint64 at, qint64 size);

    // Starts each write on its way to the disk as it is made, so that the flush before the rename
    // waits for the last of it only: writing back overlaps with encoding the rest. Hashes the
    // bytes as they pass.
    class WriteBackFile : public QSaveFile
    {
    public:
        using QSaveFile::QSaveFile;
        // The hash of the file's bytes, when it was written from its start to its end in order.
        std::optional<quint64> hash(qint64 size) const;

    protected:
        qint64 writeData(const char *data, qint64 size) override;

    private:
        ContentHash m_hash;
        bool m_inOrder = true;
    };

    QString m_requested;
    QString m_path; // the file replaced: the requested one, or the one its links lead to
    int m_target = -1; // the file replaced, opened as a path only (Linux); -1 when there is none
    std::optional<FileStatus> m_now; // the target at mayReplace()
    WriteBackFile m_file;
    QString m_error;
    bool m_refused = false;
    bool m_flushFolder = true;
    FileIdentity m_identity;
};
