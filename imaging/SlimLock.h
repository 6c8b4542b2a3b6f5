// The platform's slim reader/writer lock, taken exclusively, and a condition to wait on under
// it. Neither goes to the kernel while nobody waits, which the per-tile locking of the tile
// cache relies on.
#pragma once

#include <windows.h>

namespace nif {

class SlimLock {
public:
    SlimLock() = default;
    SlimLock(const SlimLock&) = delete;
    SlimLock& operator=(const SlimLock&) = delete;

    void lock() { AcquireSRWLockExclusive(&lock_); }
    void unlock() { ReleaseSRWLockExclusive(&lock_); }

    // Waits, with the lock held on entry and on return, until ready() holds; notifyAll()
    // wakes the waiters to look again.
    template <typename Ready>
    void waitUntil(Ready ready) {
        while (!ready()) SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
    }
    void notifyAll() { WakeAllConditionVariable(&changed_); }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
};

}  // namespace nif
