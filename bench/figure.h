#pragma once

#include <QList>
#include <QString>

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
