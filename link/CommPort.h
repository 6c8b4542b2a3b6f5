// One serial port of the machine as the link library owns it: handle, time-outs, open count and
// the record of the last failure. Every public operation runs under the port lock.
#pragma once

#include "CommErrorState.h"
#include "UniqueHandle.h"

#include <windows.h>

namespace pvlink {

class CCommPort {
public:
    CCommPort(DWORD port, pv::UniqueHandle mutex);
    // A port still open is given back its own time-outs and closed.
    ~CCommPort();
    CCommPort(const CCommPort&) = delete;
    CCommPort& operator=(const CCommPort&) = delete;

    DWORD Open();
    DWORD Close();
    DWORD Read(BYTE* buffer, DWORD count, DWORD* done);
    DWORD Write(const BYTE* buffer, DWORD count, DWORD* done);
    DWORD SetSpeed(DWORD baud);
    DWORD GetSpeed(DWORD* baud);
    DWORD GetTimeouts(COMMTIMEOUTS* timeouts);
    DWORD SendBreak(DWORD milliseconds);
    DWORD IsOpen();
    DWORD Purge();
    void GetStatus(COMSTAT* status, DWORD* errorMask, DWORD* lastError, DWORD* location);

private:
    template <class Call>
    DWORD Transfer(BYTE* buffer, DWORD count, DWORD* done, Call call, DWORD callLocation,
                   DWORD missingLocation, DWORD notOpenLocation);
    void PurgeQueues();
    bool ApplyWorkingTimeouts();
    void ClearError();
    void RecordSystemFailure(DWORD location);
    void RecordFailure(DWORD location);

    COMMTIMEOUTS working_;
    pv::UniqueHandle handle_;
    COMMTIMEOUTS saved_;
    DWORD port_;
    DWORD maxBaud_ = 0;
    pv::UniqueHandle mutex_;
    CommErrorState error_{};
    DWORD openCount_ = 0;
};

}  // namespace pvlink
