// Held for the whole of every port operation: re-reads the link settings, sleeps the lock delay,
// owns the per-port mutex, then puts the settings into the port's working time-outs. The mutex is
// released when the lock goes out of scope.
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
