#include "CopyWatchdog.h"

#include <cstdio>

namespace soak {
namespace {

constexpr DWORD kLookEveryMs = 200;
constexpr UINT kHungExitCode = 3;

}  // namespace

CopyWatchdog::CopyWatchdog(DWORD boundMs) : boundMs_(boundMs) {
    stop_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (stop_) thread_.reset(CreateThread(nullptr, 0, Watch, this, 0, nullptr));
}

CopyWatchdog::~CopyWatchdog() {
    if (!thread_) return;
    SetEvent(stop_.get());
    WaitForSingleObject(thread_.get(), INFINITE);
}

void CopyWatchdog::Start(unsigned copy) {
    copy_ = copy;
    startedAt_ = GetTickCount64();
}

DWORD CopyWatchdog::Stop() {
    return static_cast<DWORD>(GetTickCount64() - startedAt_.exchange(0));
}

DWORD WINAPI CopyWatchdog::Watch(void* self) {
    static_cast<CopyWatchdog*>(self)->WatchUntilStopped();
    return 0;
}

void CopyWatchdog::WatchUntilStopped() {
    while (WaitForSingleObject(stop_.get(), kLookEveryMs) == WAIT_TIMEOUT) {
        const ULONGLONG started = startedAt_;
        if (started && GetTickCount64() - started > boundMs_) {
            std::printf("soak: copy %u has run for more than its bound of %lu ms: hung\n", copy_.load(),
                        static_cast<unsigned long>(boundMs_));
            std::fflush(stdout);
            ExitProcess(kHungExitCode);
        }
    }
}

}  // namespace soak
