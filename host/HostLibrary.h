// Process-wide state of the camera library: its module (for the string table) and the
// machine-wide camera mutex that serialises all camera traffic.
#pragma once

#include <windows.h>

#include <string>

namespace pvhost {

HANDLE CameraMutex();
// A string of the library's table, empty when it cannot be loaded.
std::string LoadHostString(UINT id);

// Owns the camera mutex for a scope. The same thread may nest holds.
class CameraMutexHold {
public:
    CameraMutexHold() { WaitForSingleObject(CameraMutex(), INFINITE); }
    ~CameraMutexHold() { ReleaseMutex(CameraMutex()); }
    CameraMutexHold(const CameraMutexHold&) = delete;
    CameraMutexHold& operator=(const CameraMutexHold&) = delete;
};

}  // namespace pvhost
