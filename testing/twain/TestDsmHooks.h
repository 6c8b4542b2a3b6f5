// What the test source manager (TWAIN_32.DLL of the tests) lets a test see and steer beyond the
// standard's DSM_Entry: the notifications sources sent it, the answer it gives them, and whether it
// hands its entry points to the sources it opens as TWAIN 2 managers do.
#pragma once

#include "TwainTypes.h"

struct TestDsmNotification {
    TW_UINT16 message;            // MSG_XFERREADY, MSG_CLOSEDSREQ, ...
    TW_UINT16 duringSourceCall;   // nonzero when it came while a call of the application into the source ran
    TW_UINT16 viaEntryPoint;      // nonzero when it came through the entry point handed over (TWAIN 2)
    TW_UINT16 reserved;
};

extern "C" {
using TestDsmTakeNotificationsProc = int (*)(TestDsmNotification* notifications, int most);
using TestDsmSetAnswerProc = void (*)(TW_UINT16 answer);
using TestDsmUseEntryPointsProc = void (*)(int on);
using TestDsmMemoryCallsProc = void (*)(int* allocations, int* locks);
}
