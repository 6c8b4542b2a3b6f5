// The untitled modeless notice shown while the memory card is formatted.
#pragma once

#include <windows.h>

class CFormatProgressDialog {
public:
    CFormatProgressDialog() = default;
    ~CFormatProgressDialog();
    CFormatProgressDialog(const CFormatProgressDialog&) = delete;
    CFormatProgressDialog& operator=(const CFormatProgressDialog&) = delete;

    bool Create(HWND parent);   // created and shown
    void Hide();
    HWND Window() const { return m_window; }

private:
    HWND m_window = nullptr;
};
