// What a leak check counts in this process. Wine answers 0 to GetProcessHandleCount and
// GetGuiResources, so kernel handles are found by asking about each possible handle value, GDI
// objects by asking about each index of the handle table, and windows by enumeration.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace pvtest {

// The values of the kernel handles of this process that are open now, ascending.
std::vector<ULONG_PTR> LiveHandleValues();
int LiveHandles();
int LiveGdiObjects();
// Windows of this process: the top-level ones and every child of theirs.
int ProcessWindows();

struct ProcessResources {
    int handles = 0;
    int gdiObjects = 0;
    int windows = 0;
    bool operator==(const ProcessResources&) const = default;
    std::string Text() const;
};

ProcessResources CountProcessResources();
std::ostream& operator<<(std::ostream& out, const ProcessResources& counts);

}  // namespace pvtest
