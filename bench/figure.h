#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// One benchmark figure measured against its floor in the same run; the ratio is figure / floor.
struct Figure
{
    QString name;
    QString what;
    double figure;
    double floor;
    double target;
};

// Load, Save All, Build Pages and --check at `projects` projects, in `folder`.
QList<Figure> measureFiles(int projects, int runs, const QString &folder);

// Forks the helper that starts the launcher, the program's window, for the startup and memory
// figures. Call it first thing in main(), while the bench is still small: the helper's size counts
// in the peaks it reports.
void startProgramLauncher();

// Name store, selection, start-up and peak memory of the window at `projects` projects against the
// same at a small catalogue; the start-up floor adds `loadMilliseconds`, the load figure.
QList<Figure> measureWindow(int projects, int runs, const QString &folder, double loadMilliseconds);

// Adding a photo of `photoSize` (made from a real photograph, stored on its side with an EXIF turn)
// as a picture, until the GIF is on disk, against decoding it at full size; `notes` gets the
// picture's PSNR against the photo scaled alike and the peak memory of an import.
QList<Figure> measurePictures(int runs, const QString &folder, QSize photoSize, QStringList *notes);

// Publishing the catalogue's pages and 1000 pictures into an empty folder against copying the same
// files with cp and flushing them, and publishing again with one picture changed.
QList<Figure> measurePublish(int projects, int runs, const QString &folder);
