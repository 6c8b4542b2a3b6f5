// A user's actions in the picture choosers and the Preferences dialog, sent from a driver thread.
#pragma once

#include "AcquireModule.h"
#include "UniqueWindow.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace acquiretest {

// A visible "TWAIN application" window and the acquire dialog opened under it, whose selection
// callback accepts and records nothing.
HWND OpenAcquireDialog(const AcquireCalls& calls, pv::UniqueWindow* parent);

std::vector<std::string> ListItems(HWND list);
std::vector<std::string> ComboItems(HWND combo);
std::string ComboText(HWND combo);
std::string DialogText(HWND dialog, int id);
// A button pressed (the dialog handles it before the call returns).
void Press(HWND dialog, int id);
// Selects the file list's items first to last (and nothing else), as a click and a shift-click do.
void SelectFiles(HWND dialog, int first, int last);
// Chooses every file a picture chooser lists, in its order, and presses OK; the list is noted.
std::function<void(HWND)> ChooseEveryFile(std::vector<std::string>* listed);
// Selects one transfer list entry only.
void SelectTransfer(HWND dialog, int item);
bool Enabled(HWND dialog, int id);
// The text of the tree's selected item.
std::string SelectedFolder(HWND dialog);
// The point of the acquire dialog's client area in the middle of a thumbnail, which is scrolled
// into view first; and the first one's.
LPARAM ThumbnailPoint(HWND dialog, size_t index);
LPARAM FirstThumbnail(HWND dialog);
// A click on the first thumbnail of the list and a click with Ctrl on each of the others: they
// alone are selected.
void SelectThumbnails(HWND dialog, const std::vector<size_t>& indices);
// The value of a key of PVACQUIRE.INI's "Preferences"; "(none)" when it is not there.
std::string PreferenceValue(const char* key);

}  // namespace acquiretest
