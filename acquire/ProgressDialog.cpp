#include "ProgressDialog.h"

#include "PvresIds.h"
#include "PvresModule.h"

#include <commctrl.h>

#include <cstdio>

namespace acquire {

ProgressDialog::ProgressDialog(HWND owner, const std::string& caption)
    : window_(CreateDialogParamA(PvresInstance(), MAKEINTRESOURCEA(IDD_PV_PROGRESS), owner, Proc,
                                 reinterpret_cast<LPARAM>(this))) {
    if (!window_) return;
    SetWindowTextA(window_.get(), caption.c_str());
    SendDlgItemMessageA(window_.get(), IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    UpdateWindow(window_.get());
}

INT_PTR CALLBACK ProgressDialog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto self = reinterpret_cast<ProgressDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    const bool cancel = (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE;
    if (!self || !cancel) return FALSE;
    self->cancelled_ = true;
    EnableWindow(GetDlgItem(window, IDCANCEL), FALSE);
    return TRUE;
}

bool ProgressDialog::Show(int percent) noexcept {
    if (window_ && percent != shown_) {
        shown_ = percent;
        SendDlgItemMessageA(window_.get(), IDC_PROGRESS_BAR, PBM_SETPOS, WPARAM(percent), 0);
        char text[16];
        std::snprintf(text, sizeof text, " %d %%", percent);
        SetDlgItemTextA(window_.get(), IDC_PROGRESS_PERCENT, text);
    }
    PumpMessages();
    return !cancelled_;
}

void ProgressDialog::SetMessage(const std::string& text) {
    if (window_) SetDlgItemTextA(window_.get(), IDC_PROGRESS_MESSAGE, text.c_str());
}

void ProgressDialog::PumpMessages() noexcept {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The application's loop is to see it.
            PostQuitMessage(int(message.wParam));
            return;
        }
        if (window_ && IsDialogMessageA(window_.get(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace acquire
