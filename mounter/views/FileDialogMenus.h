// The context menus of the views inside a common file dialog, where only the entry that shows
// properties makes sense: every other entry goes before the menu is tracked.
#pragma once

#include <windows.h>

// The command that a context menu keeps in a file dialog: its Properties entry, or for the camera's
// menu its communications settings; 0 for a menu of no such kind.
UINT FileDialogKeptCommand(UINT menuId);

// Removes every entry of popup but the kept command's, destroying the submenus; a menu of no known
// kind is left as it is.
void StripForFileDialog(UINT menuId, HMENU popup);
