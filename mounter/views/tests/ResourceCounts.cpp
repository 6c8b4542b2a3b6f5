#include "ResourceCounts.h"

namespace viewtest {

namespace {

// Kernel handles are multiples of 4; the probe covers far more than a test process opens.
constexpr ULONG_PTR kLastHandleValue = 0x20000;
// GDI handles carry the table index in their low word; a handle with a zero high word names the
// entry whatever its generation.
constexpr ULONG_PTR kGdiIndices = 0x10000;

int CountHandles() {
    int count = 0;
    for (ULONG_PTR value = 4; value <= kLastHandleValue; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

int CountGdiObjects() {
    int count = 0;
    for (ULONG_PTR index = 1; index < kGdiIndices; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    return count;
}

struct WindowCount {
    DWORD process;
    int count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param) {
    auto* windows = reinterpret_cast<WindowCount*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != windows->process) return TRUE;
    ++windows->count;
    EnumChildWindows(window, CountChild, param);
    return TRUE;
}

int CountWindows() {
    WindowCount windows{GetCurrentProcessId()};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

}  // namespace

std::string ResourceCounts::Text() const {
    return std::to_string(handles) + " handles, " + std::to_string(gdiObjects) + " GDI objects, " +
           std::to_string(windows) + " windows";
}

ResourceCounts CountProcessResources() { return {CountHandles(), CountGdiObjects(), CountWindows()}; }

}  // namespace viewtest
