// The camera's property sheet: "Camera Settings" and "Capture" over the folder's open session.
#pragma once

#include <windows.h>

class CMounterNameSpaceFolder;

// Shows the sheet modally, owned by owner (the caller's hidden frame); the result of PropertySheet.
INT_PTR ShowCameraPropertySheet(CMounterNameSpaceFolder* folder, HWND owner);
