// A frame window that is never shown: the parent of dialogs when the caller gives none.
#pragma once

#include <windows.h>

class CMounterHiddenWnd {
public:
    CMounterHiddenWnd() = default;
    ~CMounterHiddenWnd() { Destroy(); }
    CMounterHiddenWnd(const CMounterHiddenWnd&) = delete;
    CMounterHiddenWnd& operator=(const CMounterHiddenWnd&) = delete;

    // Empty title, WS_OVERLAPPEDWINDOW, the default rectangle; not shown.
    bool Create();
    void Destroy();
    HWND Window() const { return m_window; }

private:
    HWND m_window = nullptr;
};
