// A modal dialog of pvres run for an object of ours: the object's Handle(window, message, wParam,
// lParam) answers every message from WM_INITDIALOG on.
#pragma once

#include "CommonControls.h"
#include "PvresModule.h"

#include <windows.h>

namespace acquire {

template <typename Dialog>
INT_PTR CALLBACK ModalDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
    auto dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return dialog ? dialog->Handle(window, message, wParam, lParam) : FALSE;
}

// The dialog's answer (its EndDialog value), or -1 when it could not be made.
template <typename Dialog>
INT_PTR RunModalDialog(Dialog& dialog, UINT templateId, HWND owner) {
    EnsureCommonControls();
    return DialogBoxParamA(PvresInstance(), MAKEINTRESOURCEA(templateId), owner, ModalDialogProc<Dialog>,
                           reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace acquire
