// Start-up and shut-down of the module in a process.
#pragma once

#include <windows.h>

class CMounterApp {
public:
    // Makes the global record (reporting a failure once) and empties the temporary area.
    static BOOL InitInstance();
    // Empties the temporary area (unless a file dialog's copies must stay) and drops the record.
    static void ExitInstance();
    // The message box of string 1 for a record that could not be made, with its status code.
    static void ReportStartupFailure(HRESULT hr);
};
