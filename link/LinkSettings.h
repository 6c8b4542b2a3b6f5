// The tuning values of the link, read from the registry before every port operation.
#pragma once

#include <windows.h>

namespace pvlink {

struct LinkSettings {
    DWORD lockDelayMs;   // sleep before every port operation
    bool keyPresent;     // the settings key exists; only then is timeoutMs meaningful
    DWORD timeoutMs;     // total time-out constant for reads and writes
};

constexpr DWORD kDefaultLockDelayMs = 25;
constexpr DWORD kDefaultTimeoutMs = 5000;
// Larger values are taken as these: a stray value must not stall every port operation for ever.
constexpr DWORD kMaxLockDelayMs = 10000;
constexpr DWORD kMaxTimeoutMs = 60000;

LinkSettings ReadLinkSettings();

}  // namespace pvlink
