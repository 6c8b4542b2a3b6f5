// Ends the process when one copy runs past its bound: a hung copy must not pass for a slow one,
// and a soak that stopped answering is a failed soak.
#pragma once

#include "UniqueHandle.h"

#include <windows.h>

#include <atomic>

namespace soak {

class CopyWatchdog {
public:
    explicit CopyWatchdog(DWORD boundMs);
    ~CopyWatchdog();
    CopyWatchdog(const CopyWatchdog&) = delete;
    CopyWatchdog& operator=(const CopyWatchdog&) = delete;

    void Start(unsigned copy);
    DWORD Stop();   // milliseconds since Start
    DWORD bound() const { return boundMs_; }

private:
    static DWORD WINAPI Watch(void* self);
    void WatchUntilStopped();

    const DWORD boundMs_;
    std::atomic<ULONGLONG> startedAt_{0};   // 0 between copies
    std::atomic<unsigned> copy_{0};
    pv::UniqueHandle stop_;
    pv::UniqueHandle thread_;
};

}  // namespace soak
