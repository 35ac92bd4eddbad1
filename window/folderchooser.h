#pragma once

#include <QString>

class QWidget;

// How the program asks the user for a catalogue folder. The window and a menu launch show the
// desktop's folder dialog; tests answer in its place.
class FolderChooser
{
public:
    virtual ~FolderChooser() = default;
    // The folder chosen, starting the search at `start`; an empty text when the user cancels.
    virtual QString chooseFolder(QWidget *parent, const QString &start) = 0;
};
