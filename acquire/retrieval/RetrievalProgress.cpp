#include "RetrievalProgress.h"

#include "CommonControls.h"
#include "PvresIds.h"
#include "PvresModule.h"

#include <commctrl.h>

#include <cstdio>

namespace acquire {
namespace {

// Messages a pump handles at most, so that a flood of them cannot hold the retrieval.
constexpr int kPumpLimit = 500;

}  // namespace

RetrievalProgress::~RetrievalProgress() { Finish(); }

std::string RetrievalProgress::GettingCaption(size_t number, size_t count) {
    char suffix[64];
    snprintf(suffix, sizeof suffix, PvresString(IDS_PV_PROGRESS_SUFFIX, " [ %d / %d ]").c_str(), int(number), int(count));
    return PvresString(IDS_PV_GETTING_PICTURE_CAPTION, "Getting Picture ") + suffix;
}

INT_PTR CALLBACK RetrievalProgress::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
        return TRUE;
    }
    auto self = reinterpret_cast<RetrievalProgress*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && self) {
        self->cancelled_ = true;
        return TRUE;
    }
    return FALSE;
}

void RetrievalProgress::Open() {
    EnsureCommonControls();
    window_ = CreateDialogParamA(PvresInstance(), MAKEINTRESOURCEA(IDD_PV_PROGRESS), owner_, Proc,
                                 reinterpret_cast<LPARAM>(this));
    if (!window_) return;
    ownerWasEnabled_ = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled_) EnableWindow(owner_, FALSE);
    ShowWindow(window_, SW_SHOW);
}

void RetrievalProgress::Pump() {
    MSG message;
    for (int n = 0; n < kPumpLimit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(int(message.wParam));
            break;
        }
        if (window_ && IsDialogMessageA(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool RetrievalProgress::Step(int percent, const std::string& caption) {
    if (!window_ && !cancelled_) Open();
    if (window_) {
        SetWindowTextA(window_, caption.c_str());
        SetDlgItemTextA(window_, IDC_PROGRESS_MESSAGE, caption.c_str());
        SendDlgItemMessageA(window_, IDC_PROGRESS_BAR, PBM_SETPOS, WPARAM(percent), 0);
        char text[16];
        snprintf(text, sizeof text, " %d %%", percent);
        SetDlgItemTextA(window_, IDC_PROGRESS_PERCENT, text);
        UpdateWindow(window_);
    }
    Pump();
    return !cancelled_;
}

void RetrievalProgress::Finish() {
    if (!window_) return;
    SendDlgItemMessageA(window_, IDC_PROGRESS_BAR, PBM_SETPOS, 100, 0);
    SetDlgItemTextA(window_, IDC_PROGRESS_PERCENT, " 100 %");
    if (ownerWasEnabled_) EnableWindow(owner_, TRUE);
    DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace acquire
