// "Connecting to Camera...": the modeless progress dialog of a camera connect, and the progress
// callback that the camera library calls while it opens the camera.
#pragma once

#include "UserObject.h"

#include <windows.h>

class CConnectDialog {
public:
    CConnectDialog() = default;
    ~CConnectDialog();   // destroys the window if it still exists
    CConnectDialog(const CConnectDialog&) = delete;
    CConnectDialog& operator=(const CConnectDialog&) = delete;

    // Creates the dialog hidden, as a child of parent; clears the global connect-cancel flag.
    bool Create(HWND parent);
    void Show();
    bool IsVisible() const;
    HWND Window() const { return m_window; }
    // One progress report: enables the step text and sets the step icon to the state's icon.
    void Report(DWORD textId, DWORD iconId, DWORD state);
    void Destroy();

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND window);
    void OnCancel();
    HICON StateIcon(DWORD state) const;
    void FreeIcons();

    HWND m_window = nullptr;
    // The step icons at 16x16, owned for as long as the dialog may show them.
    pv::UniqueIcon m_underWay;
    pv::UniqueIcon m_done;
    pv::UniqueIcon m_failed;
};

// Whether Cancel was pressed since the last connection dialog was created.
bool ConnectCancelRequested();
// "ShowConnectionProgress" of the link's key; missing key or value count as shown.
bool ShowConnectionProgressSetting();
// The camera library's progress callback; user is the CConnectDialog. Answers non-zero to cancel.
DWORD CALLBACK ConnectProgressCallback(ULONG_PTR user, DWORD textId, DWORD iconId, DWORD state);
