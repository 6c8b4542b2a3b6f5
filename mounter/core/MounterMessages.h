// Message boxes with the Mounter's caption and texts from its string table.
#pragma once

#include <windows.h>

#include <string>

namespace mounter {

// A text of the string table ("" when missing).
std::string LoadText(UINT id);
// FormatMessage-style insertion of %1!s! (and %1) into a text of the string table.
std::string FormatText(UINT id, const std::string& insert);
// The message box of string id with caption 8019; style gives the buttons and icon.
int ShowMessage(HWND owner, UINT id, UINT style = MB_OK | MB_ICONSTOP);
int ShowMessageText(HWND owner, const std::string& text, UINT style = MB_OK | MB_ICONSTOP);

}  // namespace mounter
