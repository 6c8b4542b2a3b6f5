// The views' copy of camera items into the temporary area, one item at a time under the copy
// progress dialog, for the programs and folders that need real files.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

class CMounterNameSpaceFolder;

// The temporary area's path (ending in "\"); "" after message 9005 when it is unavailable.
std::string TempAreaForCopies(HWND owner);

// Copies a picture or other file, or a whole album, into the area under the progress dialog (which
// shows a file's name and byte count from the start, an album's files as they come), opening the
// camera session first when needed. Answers 1 copied, 2 cancelled by the user, 0 failed
// (message 9005, 9001 or 9004 told).
int CopyItemToTempArea(CMounterNameSpaceFolder* folder, HWND owner, LPCITEMIDLIST item);

// Where the copy of an item lies in the area.
std::string TempCopyPath(CMounterNameSpaceFolder* folder, const std::string& area, LPCITEMIDLIST item);
