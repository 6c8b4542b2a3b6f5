// The common open-file dialog of another program showing a Mounter folder: its window procedure is
// replaced, so that its OK button first copies the selected pictures to disk and the program
// receives real files. One hook serves the most recently created dialog view of the process.
#pragma once

#include <windows.h>

#include <string>

class CMounterShellView;

// Makes view the hook's current view and, when no hook is in place yet, subclasses dialog.
void AttachFileDialogHook(HWND dialog, CMounterShellView* view);
// The view lets go of its dialog: the hook goes when it serves this view, and the view is no longer
// the current one.
void DetachFileDialogHook(CMounterShellView* view);
// Whether an OK button's text (ampersands removed) is one of the words that take files in.
bool IsTakingButtonText(const std::string& text);

extern "C" LRESULT CALLBACK MounterOFDWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
