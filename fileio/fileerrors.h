#pragma once

#include <QString>

class QFileDevice;

// Reasons a file could not be read or written, in words a user can act on. None of them is ever
// Qt's "Unknown error": every failure names what went wrong.
namespace FileErrors {

// The system's words for `error` (an errno value) about `path`; a missing folder says so.
QString reason(int error, const QString &path);
// Why a write to `file` failed.
QString writeReason(const QFileDevice &file);
// Empty while `folder` exists; otherwise that it no longer does.
QString missingFolder(const QString &folder);
QString notPlainFile(const QString &path);

} // namespace FileErrors
