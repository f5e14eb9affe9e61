#pragma once

#include "app/handlers/window_operations.h"

namespace vandrel {

// The folder list opened another folder: the file list follows it.
void Dir1_Change(WindowOperations& window);

// A name was chosen in the file list: its full path goes to TXfi, and a name
// ending in "txt" or "TXT" sets the status to "Got File".
void File1_Click(WindowOperations& window);

// The hidden button: the full path of the selection in a message box.
void Command4_Click(WindowOperations& window);

// A path from the command line or dropped on the window: a folder opens in
// the lists; a file's folder opens and the file is chosen, as a click on it
// would choose it. A path that does not exist, or a file the list does not
// show, is told in a message box.
void OpenPath(WindowOperations& window, const std::string& path);

// The folder list's path, "/", the file list's selected name.
std::string selectedFilePath(const WindowOperations& window);

}  // namespace vandrel
