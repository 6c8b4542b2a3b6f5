// "Picture File Copy Progress": the modeless dialog of one item's copy from the camera.
#pragma once

#include <windows.h>

#include <string>

class CCopyProgressDialog {
public:
    CCopyProgressDialog() = default;
    ~CCopyProgressDialog();
    CCopyProgressDialog(const CCopyProgressDialog&) = delete;
    CCopyProgressDialog& operator=(const CCopyProgressDialog&) = delete;

    // Creates and shows the dialog over parent; clears the global copy-cancel flag, bar at 0.
    bool Create(HWND parent);
    void SetFileName(const std::string& name);
    void SetSize(DWORD bytes);   // the size text: the item's byte count, before any report
    void SetSizeUnknown();   // the size text is empty and the next report sets the divisor again
    void UpdateData();       // shows the fields in the controls
    void Destroy();
    HWND Window() const { return m_window; }

    // One progress report of a read (see CopyProgressCallback).
    void Progress(DWORD done, DWORD total);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void StartReports(DWORD total);

    HWND m_window = nullptr;
    std::string m_fileName;
    std::string m_sizeText;
    LONG m_divisor = -1;
};

bool CopyCancelRequested();
// The camera library's read progress callback; user is the CCopyProgressDialog.
DWORD CALLBACK CopyProgressCallback(ULONG_PTR user, DWORD done, DWORD total);
