// What a leak check counts in this process. Wine answers 0 to GetProcessHandleCount and
// GetGuiResources, so handles are found by asking about each possible handle value, and windows
// by enumeration.
#pragma once

namespace pvtest {

// Kernel handles of this process that are open now.
int LiveHandles();
// Top-level windows of this process, visible or not.
int ProcessWindows();

}  // namespace pvtest
