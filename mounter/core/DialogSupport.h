// Plumbing shared by the Mounter's plain Win32 dialogs.
#pragma once

#include <windows.h>

namespace mounter {

// Registers the common controls that the dialogs hold (animation, progress bar, trackbar).
void InitDialogControls();

// The C++ object behind a dialog: taken from WM_INITDIALOG's parameter and kept in the window, so
// that later messages find it; null for the few messages that come before WM_INITDIALOG.
template <class T>
T* DialogObject(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return reinterpret_cast<T*>(lParam);
    }
    return reinterpret_cast<T*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Removes and dispatches every message waiting for a modeless dialog and its controls, letting the
// dialog's own keyboard handling act first. Long work on the dialog's thread calls it so that the
// dialog repaints and its Cancel button works.
void PumpDialogMessages(HWND dialog);

// Opens "Mounter.hlp" at its contents.
void ShowHelpContents(HWND owner);

// The hourglass for as long as the object lives.
class WaitCursor {
public:
    WaitCursor() : m_previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

}  // namespace mounter
