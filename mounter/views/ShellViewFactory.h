// Makes the shell view of a folder: the camera's, a memory's or an album's, by the folder's class.
#pragma once

#include <windows.h>

class CMounterNameSpaceFolder;

// The view with owner window and the folder's class identifier (its view-state key), asked for
// IShellView into out; E_OUTOFMEMORY without memory, E_NOTIMPL for a class without a view.
HRESULT CreateMounterShellView(CMounterNameSpaceFolder* folder, HWND owner, const CLSID& folderClass, void** out);
