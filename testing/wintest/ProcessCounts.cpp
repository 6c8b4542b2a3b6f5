#include "ProcessCounts.h"

namespace pvtest {
namespace {

// Handle values are multiples of 4; a test process stays far below this one.
constexpr ULONG_PTR kLastHandleValue = 0x40000;
// GDI handles carry the table index in their low word; a handle with a zero high word names the
// entry whatever its generation.
constexpr ULONG_PTR kGdiIndices = 0x10000;

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

}  // namespace

std::vector<ULONG_PTR> LiveHandleValues() {
    std::vector<ULONG_PTR> live;
    for (ULONG_PTR value = 4; value <= kLastHandleValue; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) live.push_back(value);
    }
    return live;
}

int LiveHandles() { return static_cast<int>(LiveHandleValues().size()); }

int LiveGdiObjects() {
    int count = 0;
    for (ULONG_PTR index = 1; index < kGdiIndices; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    return count;
}

int ProcessWindows() {
    WindowCount windows{GetCurrentProcessId()};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

std::string ProcessResources::Text() const {
    return std::to_string(handles) + " handles, " + std::to_string(gdiObjects) + " GDI objects, " +
           std::to_string(windows) + " windows";
}

ProcessResources CountProcessResources() { return {LiveHandles(), LiveGdiObjects(), ProcessWindows()}; }

std::ostream& operator<<(std::ostream& out, const ProcessResources& counts) { return out << counts.Text(); }

}  // namespace pvtest
