#pragma once

#include <QString>

class QTextStream;

// The two things the command line does without a window. Each returns the exit status.
namespace PublishCommands {

// Loads FOLDER/projects.txt as the window's start-up does, though a missing file is an error here
// and nothing is created, and sets the first project's picture count as selecting it at start-up
// does; then builds the three pages as Build Pages does and prints their paths.
int buildPages(const QString &folder, const QString &pictureFolder, QTextStream &out, QTextStream &err);

// Prints one line per finding on `out`; 0 when there is nothing to report.
int check(const QString &folder, const QString &pictureFolder, QTextStream &out, QTextStream &err);

} // namespace PublishCommands
