#pragma once

#include <QByteArray>

class FolderChooser;
class MessageService;

// How the desktop starts the program: in the catalogue folder opened last, or one dropped on its
// launcher, never in whatever folder the desktop was started in.
namespace LastFolder {

// Makes `given`, or when it is empty the folder opened last, the working folder. The first time,
// or when the folder opened last is gone (which it says), asks for one with `chooser`; when a
// folder cannot be entered, says why and asks for another; a folder without a catalogue is asked
// about first. False when the user cancels; `startsCatalogue` when the user agreed to start one.
bool enter(MessageService &messages, FolderChooser &chooser, const QByteArray &given = {},
           bool *startsCatalogue = nullptr);

} // namespace LastFolder
