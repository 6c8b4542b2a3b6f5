// What a process holds, counted the way Wine lets it be counted (it answers 0 to
// GetProcessHandleCount and GetGuiResources): kernel handles by probing GetHandleInformation over the
// handle values, GDI objects by probing GetObjectType over the handle table's indices, windows by
// enumerating the top-level windows and their children.
#pragma once

#include <windows.h>

#include <string>

namespace viewtest {

struct ResourceCounts {
    int handles = 0;
    int gdiObjects = 0;
    int windows = 0;
    std::string Text() const;
};

// What the calling process holds now.
ResourceCounts CountProcessResources();

}  // namespace viewtest
