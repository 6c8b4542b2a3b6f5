// The temporary area "PV360.TMP\" under the user's temporary directory: where pictures copied
// from the camera wait for the program or drop target that asked for them.
#pragma once

#include <windows.h>

// Writes the area's path (ending in "\") into buffer and makes sure the directory exists. Answers
// its length; 0 with an empty buffer without a temporary path; the needed length with an empty
// buffer when the buffer is too small.
UINT GetTempAreaPath(UINT size, char* buffer);
// Deletes every file and subdirectory of the area; the area itself stays.
void EmptyTempArea();
