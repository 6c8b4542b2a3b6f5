// The information sheets of a memory, an album and a picture file: one "General Info" page each,
// shown whether or not the camera answered (then every field shows "N/A").
#pragma once

#include <windows.h>
#include <shlobj.h>

class CMounterNameSpaceFolder;

// memoryType: the memory's item kind; the caption says which memory it is.
INT_PTR ShowMemoryPropertySheet(CMounterNameSpaceFolder* folder, HWND owner, DWORD memoryType);
// For the album folder itself.
INT_PTR ShowAlbumPropertySheet(CMounterNameSpaceFolder* folder, HWND owner);
// For a picture item of the folder.
INT_PTR ShowPictureFilePropertySheet(CMounterNameSpaceFolder* folder, HWND owner, LPCITEMIDLIST picture);
