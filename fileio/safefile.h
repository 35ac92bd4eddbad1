#pragma once

#include <QSaveFile>
#include <QString>

class QIODevice;

// Every file the program writes goes through here. The bytes go to a temporary file beside the
// target, reach the disk, and only then take the target's name; the folder is flushed before
// success is reported. A crash or a power cut at any moment leaves the old file or the new one,
// whole, and a save that was reported is on disk. A write-protected target is refused.
class SafeFile
{
public:
    explicit SafeFile(const QString &path);
    SafeFile(const SafeFile &) = delete;
    SafeFile &operator=(const SafeFile &) = delete;

    // Creates the file that is to replace the target; false, with errorString() saying why.
    bool open();
    // Where the new file's bytes go, once open.
    QIODevice &device() { return m_file; }
    // Puts the written file in the target's place; `written` is false when a write to device()
    // failed. False, with errorString() saying why, when the target stays as it was. Without a
    // successful commit the temporary file is removed.
    bool commit(bool written);
    QString errorString() const { return m_error; }

private:
    bool fail(const QString &reason);
    void keepOwnerAndMode();

    // Starts each write on its way to the disk as it is made, so that the flush before the rename
    // waits for the last of it only: writing back overlaps with encoding the rest.
    class WriteBackFile : public QSaveFile
    {
    public:
        using QSaveFile::QSaveFile;

    protected:
        qint64 writeData(const char *data, qint64 size) override;
    };

    QString m_path;
    WriteBackFile m_file;
    QString m_error;
};
