// What the process holds: its live kernel handles and its working set. Wine answers 0 to
// GetProcessHandleCount, so handles are found by asking about every handle value in turn.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace soak {

struct ProcessGauge {
    std::vector<ULONG_PTR> handles;   // the live handle values, ascending
    size_t workingSet = 0;            // bytes
};

ProcessGauge MeasureProcess();

// The handles live in now and not in before, each as "0x1A4 Event" or "0x9C Key \\REGISTRY\\...".
std::vector<std::string> NewHandles(const ProcessGauge& before, const ProcessGauge& now);

}  // namespace soak
