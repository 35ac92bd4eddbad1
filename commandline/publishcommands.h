#pragma once

#include <QString>

class QTextStream;

// The two things the command line does without a window. Each returns the exit status.
namespace PublishCommands {

// Loads FOLDER/projects.txt as the window's start-up does, though a missing file is an error here
// and nothing is created, and sets the first project's picture count as selecting it at start-up
// does; then builds the three pages as Build Pages does and prints their paths.
int buildPages(const QString &folder, const QString &pictureFolder, QTextStream &out, QTextStream &err);

// Builds the pages as buildPages() does, then publishes them and the pictures they link to
// `destination`, printing what is sent (or, `dryRun`, what would be) and what no page links any
// more; `deleteUnlinked` removes those after the upload. The findings of check() go to `err` first.
int publish(const QString &folder, const QString &pictureFolder, const QString &destination, bool dryRun,
            bool deleteUnlinked, QTextStream &out, QTextStream &err);

// Prints one line per finding on `out`; 0 when there is nothing to report.
int check(const QString &folder, const QString &pictureFolder, QTextStream &out, QTextStream &err);

} // namespace PublishCommands
