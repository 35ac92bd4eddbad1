#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Every file the program writes goes through here: the bytes go to a temporary file in the same
// folder, which replaces the target only once all of them were written, so a full disk or a crash
// leaves the old file whole. A write-protected target is refused rather than replaced.
// Returns an empty string on success, otherwise the reason.
QString writeFileSafely(const QString &path, const QByteArray &bytes);

// The same for a file written piece by piece: `produce` writes to the device and returns false
// when a write failed.
QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &produce);
