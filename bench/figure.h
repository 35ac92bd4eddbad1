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

// Load, Save All and Build Pages at `projects` projects, in `folder`.
QList<Figure> measureFiles(int projects, int runs, const QString &folder);
