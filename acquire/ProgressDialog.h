// The progress dialog of getting and transferring pictures (dialog 103 of pvres): a caption, a
// message, a bar with its percentage and Cancel. It lives as long as the object; while it shows,
// each report lets the thread's messages through so that Cancel can be pressed.
#pragma once

#include "TransferProgress.h"
#include "UniqueWindow.h"

#include <windows.h>

#include <string>

namespace acquire {

class ProgressDialog : public TransferProgress {
public:
    ProgressDialog(HWND owner, const std::string& caption);
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

    // Moves the bar; false once the user has pressed Cancel.
    bool Show(int percent) noexcept override;
    void SetMessage(const std::string& text);
    bool cancelled() const { return cancelled_; }
    HWND window() const { return window_.get(); }

private:
    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PumpMessages() noexcept;

    pv::UniqueWindow window_;
    bool cancelled_ = false;
    int shown_ = -1;
};

}  // namespace acquire
