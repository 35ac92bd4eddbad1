#pragma once

#include <QImage>
#include <QString>

// How the preview reads a picture file, found by the picture-name rules.
namespace PictureFiles {
// Larger pictures are refused before decoding: the preview shows 180x120 pictures, and the bounds
// keep a damaged or hostile header from claiming gigabytes, or nine pictures from claiming 64 MB each.
constexpr int MaxSide = 4096;
constexpr qint64 MaxPixels = qint64(2048) * 2048;
constexpr int AllocationLimitMB = 64;
// A picture file above this size counts as there, but is not read.
constexpr qint64 MaxFileBytes = qint64(16) * 1024 * 1024;

// Decodes a GIF with bounded size, memory and reading; a null image when the file cannot be shown.
QImage loadPicture(const QString &path);
} // namespace PictureFiles
