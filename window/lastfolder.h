#pragma once

class FolderChooser;
class MessageService;

// How the desktop menu starts the program: in the catalogue folder opened last, never in
// whatever folder the menu was started in.
namespace LastFolder {

// Makes the folder opened last the working folder. The first time, or when that folder is gone,
// asks for one with `chooser`; when a folder cannot be entered, says why and asks for another.
// False when the user cancels.
bool enter(MessageService &messages, FolderChooser &chooser);

} // namespace LastFolder
