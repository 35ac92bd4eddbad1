#pragma once

#include <QByteArray>
#include <QString>

class FolderChooser;
class MessageService;
class QWidget;

// Opening a catalogue folder the desktop's way (the folder dialog, Open Recent, the menu launch):
// a folder that holds no projects.txt becomes a catalogue only when the user says so, so that a
// folder dialog answered in haste writes nothing into the home folder.
namespace CatalogueOpening {

struct Opening
{
    QByteArray folder; // empty when the user cancelled
    bool startsCatalogue = false; // the user agreed to start a new catalogue there
};

// Whether `folder` is a folder with nothing at all named projects.txt in it (not even a broken
// link); false when that cannot be told, as for a folder that cannot be entered.
bool holdsNoCatalogue(const QByteArray &folder);

// `folder`, when it holds a catalogue or the user agrees to start one there; "Choose Another
// Folder" goes on to choose().
Opening confirm(const QByteArray &folder, MessageService &messages, FolderChooser &chooser, QWidget *parent);

// A folder the user chooses with `chooser`, starting at `start`, confirmed as above.
Opening choose(MessageService &messages, FolderChooser &chooser, QWidget *parent, const QString &start);

} // namespace CatalogueOpening
