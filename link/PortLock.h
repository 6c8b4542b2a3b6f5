// Held for the whole of every port operation: re-reads the link settings into the port's working
// time-outs, sleeps the lock delay, then owns the per-port mutex until it goes out of scope.
#pragma once

#include <windows.h>

namespace pvlink {

class PortLock {
public:
    // Throws CCommPortException (location 1, reason 1) when the mutex wait fails.
    PortLock(HANDLE mutex, COMMTIMEOUTS& workingTimeouts);
    ~PortLock();
    PortLock(const PortLock&) = delete;
    PortLock& operator=(const PortLock&) = delete;

private:
    HANDLE mutex_;
};

}  // namespace pvlink
