#pragma once

#include <functional>

class QMenu;

#include <QByteArray>
#include <QList>

// The catalogue folders opened last, most recent first, kept in the user's settings of the program.
// Each is kept by the bytes of its name: one that is not UTF-8 must still lead back to its folder.
class RecentFolders
{
public:
    static constexpr int MaxFolders = 5;

    // As kept, gone or not, absolute.
    QList<QByteArray> folders() const;
    // The folder opened last, when it is still a folder; otherwise an empty name, not an older one:
    // a menu launch asks rather than open a catalogue the user did not open last.
    QByteArray last() const;
    // Puts the absolute `folder` first. The settings are written only when that changes the list,
    // so that opening the same catalogue again writes nothing.
    void add(const QByteArray &folder);

    // Fills `menu` with the folders, numbered; a folder that is gone is shown, but cannot be chosen,
    // until newer ones push it out. Choosing one calls `open`.
    void fillMenu(QMenu *menu, const std::function<void(const QByteArray &folder)> &open) const;
};
