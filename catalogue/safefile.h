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

    // Writes the temporary file: `produce` writes to the device and returns false when a write
    // failed. False, with error() saying why, when anything failed.
    bool write(const std::function<bool(QIODevice &)> &produce);
    // Puts the written file in the target's place; false, with error() saying why, when not.
    bool commit();
    QString error() const { return m_error; }

private:
    bool open();
    bool name();
    void discard();
    bool fail(const QString &reason);

    QString m_path;
    std::unique_ptr<QFile> m_file;
    QString m_tempName; // empty while the file being written has no name
    QString m_error;
    bool m_written = false;
};

// Both return an empty string on success, otherwise the reason.
QString writeFileSafely(const QString &path, const QByteArray &bytes);
QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &produce);
