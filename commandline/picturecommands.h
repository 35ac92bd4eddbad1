#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// What the command line does with pictures. Returns the exit status.
namespace PictureCommands {

// Makes a picture of each of `files` and adds them after the last picture of the project named
// `project`, as Add Pictures does in the window, then saves the catalogue with the picture count
// that follows. Prints each picture written on `out`; each file skipped, with the reason, on `err`.
int addPictures(const QString &folder, const QString &pictureFolder, const QString &project, const QStringList &files,
                QTextStream &out, QTextStream &err);

} // namespace PictureCommands
