#include "ProcessGauge.h"

#include "ProcessCounts.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace soak {
namespace {

std::string Narrow(const UNICODE_STRING& text) {
    std::string narrow;
    for (USHORT i = 0; i < text.Length / sizeof(WCHAR); ++i) narrow += static_cast<char>(text.Buffer[i]);
    return narrow;
}

// The kind of object behind a handle ("Event", "Key") and its name when it has one, as the
// system names them; "?" for a handle closed meanwhile.
std::string Describe(ULONG_PTR value) {
    alignas(8) BYTE buffer[1024];
    ULONG length = 0;
    const HANDLE handle = reinterpret_cast<HANDLE>(value);
    if (NtQueryObject(handle, ObjectTypeInformation, buffer, sizeof buffer, &length) != 0) return "?";
    std::string text = Narrow(reinterpret_cast<const PUBLIC_OBJECT_TYPE_INFORMATION*>(buffer)->TypeName);
    if (NtQueryObject(handle, ObjectNameInformation, buffer, sizeof buffer, &length) == 0)
        text += " " + Narrow(*reinterpret_cast<const UNICODE_STRING*>(buffer));
    return text;
}

}  // namespace

ProcessGauge MeasureProcess() {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return {pvtest::LiveHandleValues(), memory.WorkingSetSize};
}

std::vector<std::string> NewHandles(const ProcessGauge& before, const ProcessGauge& now) {
    std::vector<ULONG_PTR> added;
    std::set_difference(now.handles.begin(), now.handles.end(), before.handles.begin(), before.handles.end(),
                        std::back_inserter(added));
    std::vector<std::string> named;
    for (ULONG_PTR value : added) {
        char text[24];
        std::snprintf(text, sizeof text, "0x%lX ", static_cast<unsigned long>(value));
        named.push_back(text + Describe(value));
    }
    return named;
}

}  // namespace soak
