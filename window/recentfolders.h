#pragma once

#include <QString>
#include <QStringList>

// The catalogue folders opened last, most recent first, kept in the user's settings of the program.
class RecentFolders
{
public:
    static constexpr int MaxFolders = 5;

    // As kept, gone or not, made absolute when they were added.
    QStringList folders() const;
    // The folder opened last, when it is still a folder; otherwise an empty text, not an older one:
    // a menu launch asks rather than open a catalogue the user did not open last.
    QString last() const;
    // Puts `folder` first. The settings are written only when that changes the list, so that
    // opening the same catalogue again writes nothing.
    void add(const QString &folder);
};
