// "Communications Settings" (port and speed, reconnecting with them) and "Advanced Settings" (lock
// delay, time-out, connection progress) of the camera's serial link.
#pragma once

#include <windows.h>

#include <map>
#include <string>

class CMounterNameSpaceFolder;

class CSerialConfigDialog {
public:
    explicit CSerialConfigDialog(CMounterNameSpaceFolder* folder);
    // IDOK or IDCANCEL; -1 when the dialog cannot be shown.
    INT_PTR DoModal(HWND parent);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void FillPortList();
    void FillSpeedList();
    void OnOK();
    // Stores port and speed and reconnects with them; on failure the previous values are stored back.
    bool ApplySettings(DWORD port, DWORD speed);
    // True when the folder's session opened again.
    bool Reconnect();

    CMounterNameSpaceFolder* m_folder;
    DWORD m_initialPort;
    DWORD m_initialSpeed;
    std::map<DWORD, std::string> m_ports;   // the ports found: port index to name
    HWND m_window = nullptr;
};

// Shows the serial dialog until it ends with OK or Cancel (or cannot be shown): IDOK or IDCANCEL.
INT_PTR RunSerialConfigLoop(CMounterNameSpaceFolder* folder, HWND parent);

class CAdvancedSettingsDialog {
public:
    INT_PTR DoModal(HWND parent);
};
