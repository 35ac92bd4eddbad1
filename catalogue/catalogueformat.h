#pragma once

#include "projectinfo.h"

#include <QByteArray>
#include <QList>

#include <optional>

class QIODevice;

// How the catalogue file was encoded, so that saving keeps it: Windows-1252 (UTF-8 where a
// character needs it) without a byte-order mark, or UTF-8 behind a mark, as Windows Notepad saves.
enum class FileEncoding { Plain, Utf8WithByteOrderMark };

// The catalogue file: five "key","value" lines a project, CR LF after each line, in
// Windows-1252, or in UTF-8 when a character needs it; or UTF-8 behind a byte-order mark when the
// file came that way from another editor.
namespace CatalogueFormat {

struct Parsed
{
    QList<ProjectInfo> projects;
    // Records past the catalogue's limit; the reader keeps counting them so nobody loses them unseen.
    qsizetype droppedRecords = 0;
    FileEncoding encoding = FileEncoding::Plain;
    // Anything but blanks and line ends: a file with text that yields no record is not a catalogue.
    bool hasText = false;
};

// A UTF-16 file with its byte-order mark reads as the same text in UTF-8 with a mark.
Parsed read(const QByteArray &bytes);
QByteArray write(const QList<ProjectInfo> &projects, FileEncoding encoding = FileEncoding::Plain);

// Writes the file a megabyte at a time; false when a write fails.
bool write(const QList<ProjectInfo> &projects, QIODevice &device, FileEncoding encoding = FileEncoding::Plain);

// Reads the device block by block, so a large file is never held whole beside the records made
// from it. Nothing when the device fails; its errorString() then says why.
std::optional<Parsed> read(QIODevice &device, qint64 blockSize = 1 << 20);

// Whether `text`, written as a value, is read back as itself. The format has no escape, so two
// shapes cannot be told from the end of a value: a line holding a double quote followed (blank
// lines aside) by a line that starts like a key line (a quoted item and a comma, or one of the
// five keys bare and a comma); and a line after the first that starts with one of the five keys
// quoted and a comma.
bool comesBackExactly(const QString &text);

// The position of the first of `projects` with a text that would not come back; -1 when all do.
qsizetype firstRecordNotComingBack(const QList<ProjectInfo> &projects);

} // namespace CatalogueFormat
