#pragma once

#include <QList>
#include <QString>

// How a project's pictures are named and where they are looked up: picture k of a project is its
// name exactly as stored + "_p" + k + ".gif" in the picture folder. The window, Build Pages from
// the command line and the publishing check all follow these rules.
namespace PictureNames {
inline const QString FolderName = QStringLiteral("Thumbs");

QString pictureFileName(const QString &name, int k);

// The path of picture k, or an empty text when the name cannot stand for a plain file inside the
// folder (a separator, a NUL, a name the file system cannot spell): such pictures count as missing.
QString picturePath(const QString &folder, const QString &name, int k);

// True for a plain file (or a link to one) at that very path; an empty path is no file.
bool isPictureFile(const QString &path);

// Thumbs beside the program when that folder exists, so that a program kept beside its pictures
// goes on finding them; otherwise the Thumbs of the catalogue folder, the one the pages link to.
QString pictureFolder(const QString &programFolder, const QString &catalogueFolder);

// The numbers of the name's pictures that exist, whatever they are: 1 to 9 each looked for, as the
// window does, and beyond 9 as long as they follow on. None for a name that cannot have pictures.
QList<int> existingPictures(const QString &folder, const QString &name);

// The picture count that showing the project sets: the highest of pictures 2 to 9 that exists,
// or `storedPics` when none of them does.
qint16 foundPictureCount(const QString &folder, const QString &name, qint16 storedPics);
} // namespace PictureNames
