#pragma once

#include "filestatus.h"

#include <QFile>
#include <QString>

// A plain file opened for reading without waiting, and judged by what was opened rather than by
// its name: a FIFO or a device put in its place is refused at once instead of blocking the program
// or being read for ever. The portable file layer judges the name just before opening it.
class PlainFile
{
public:
    explicit PlainFile(const QString &path);
    PlainFile(const PlainFile &) = delete;
    PlainFile &operator=(const PlainFile &) = delete;

    // False, with errorString() saying why, when the path holds no plain file that can be read.
    bool open();
    // After a failed open(): nothing is at the path, in a folder that exists. A link to nowhere or
    // a folder deleted under the program is a fault, not a missing file.
    bool isMissing() const { return m_missing; }
    // The opened file, read from its start.
    QFile &file() { return m_file; }
    // The opened file's status, as it was when opened.
    const FileStatus &info() const { return m_info; }
    QString errorString() const { return m_error; }

private:
    bool fail(const QString &reason);

    QString m_path;
    QFile m_file;
    QString m_error;
    FileStatus m_info;
    bool m_missing = false;
};
