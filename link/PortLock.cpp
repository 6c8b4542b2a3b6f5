#include "PortLock.h"

#include "CommPortException.h"
#include "LinkSettings.h"

namespace pvlink {

PortLock::PortLock(HANDLE mutex, COMMTIMEOUTS& workingTimeouts) : mutex_(mutex) {
    LinkSettings settings = ReadLinkSettings();
    Sleep(settings.lockDelayMs);
    // An abandoned mutex was left by a process that died mid-operation; the port is ours now.
    if (WaitForSingleObject(mutex_, INFINITE) == WAIT_FAILED) throw CCommPortException(1, 1);
    // The working time-outs are the port's state: only the mutex's owner changes them.
    if (settings.keyPresent) {
        workingTimeouts.ReadTotalTimeoutConstant = settings.timeoutMs;
        workingTimeouts.WriteTotalTimeoutConstant = settings.timeoutMs;
    }
}

PortLock::~PortLock() { ReleaseMutex(mutex_); }

}  // namespace pvlink
