#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QFile;
class QIODevice;

// Every file the program writes goes through here: the bytes go to a temporary file in the same
// folder, which replaces the target only once all of them were written, so a full disk or a crash
// leaves the old file whole. A write-protected target is refused rather than replaced.
class SafeFile
{
public:
    explicit SafeFile(const QString &path);
    // Without a successful commit(), the temporary file is removed and the target stays as it was.
    ~SafeFile();
    SafeFile(const SafeFile &) = delete;
    SafeFile &operator=(const SafeFile &) = delete;

    // Checks the target and creates the file that is to replace it; false, with error() saying
    // why, when either fails.
    bool open();
    // Where the new file's bytes go, once open.
    QIODevice &device();
    // Puts the written file in the target's place; `written` is false when a write to device()
    // failed. False, with error() saying why, when the target stays as it was.
    bool commit(bool written);
    QString error() const { return m_error; }

private:
    bool create();
    bool name();
    void discard();
    bool fail(const QString &reason);

    QString m_path;
    std::unique_ptr<QFile> m_file;
    QString m_tempName; // empty while the file being written has no name
    QString m_error;
    int m_replaced = -1; // holds the old file until it has been replaced
};

// Both return an empty string on success, otherwise the reason.
QString writeFileSafely(const QString &path, const QByteArray &bytes);
QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &produce);
