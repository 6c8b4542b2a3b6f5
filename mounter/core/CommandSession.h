// The camera session that a user command needs: opened when it is closed, with the failure told to
// the user.
#pragma once

#include <windows.h>

class CMounterNameSpaceFolder;

// True when the folder's session is open, after connecting it if needed. A failed connection shows
// string 9001; one that the user cancelled shows nothing.
bool OpenSessionForCommand(CMounterNameSpaceFolder* folder, HWND owner);
