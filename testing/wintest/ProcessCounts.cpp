#include "ProcessCounts.h"

#include <windows.h>

namespace pvtest {
namespace {

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM param) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) ++*reinterpret_cast<int*>(param);
    return TRUE;
}

}  // namespace

int LiveHandles() {
    int live = 0;
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < 0x4000; value += 4)
        live += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    return live;
}

int ProcessWindows() {
    int windows = 0;
    EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace pvtest
