// The serial link's tuning values, kept under HKEY_LOCAL_MACHINE in the link library's own key:
// the lock delay and time-out that the link reads, and whether connections show their progress.
#pragma once

#include <windows.h>

namespace mounter {

struct LinkSettings {
    DWORD lockDelay = 25;      // "LockDelay", ms
    DWORD timeout = 5000;      // "Timeout", ms
    DWORD showProgress = 1;    // "ShowConnectionProgress"
};

// The stored values; a missing key or value keeps its default.
LinkSettings ReadLinkSettings();
// Creates or opens the key and stores all three values; false when the key cannot be written.
bool WriteLinkSettings(const LinkSettings& settings);

}  // namespace mounter
