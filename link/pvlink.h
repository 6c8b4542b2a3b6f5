// The serial link library: COM1 to COM8 (ports 0 to 7) shared by every process of the machine.
// Functions answer 1 for success and 0 for failure and keep a failure record per port; they throw
// CCommPortException only when a port mutex cannot be created or waited for.
#pragma once

#include "CommErrorState.h"
#include "CommPortException.h"

#include <windows.h>

extern "C" {

DWORD CommOpen(DWORD port);
DWORD CommClose(DWORD port);
DWORD CommGetStatus(DWORD port, COMSTAT* status, DWORD* errorMask, DWORD* lastError, DWORD* location);
DWORD CommRead(DWORD port, BYTE* buffer, DWORD count, DWORD* done);
DWORD CommWrite(DWORD port, const BYTE* buffer, DWORD count, DWORD* done);
DWORD CommSetSpeed(DWORD port, DWORD baud);
DWORD CommGetSpeed(DWORD port, DWORD* baud);
DWORD CommGetTimeouts(DWORD port, COMMTIMEOUTS* timeouts);
DWORD CommSendBreak(DWORD port, DWORD milliseconds);
DWORD CommIsOpen(DWORD port);
DWORD CommPurge(DWORD port);

}

// Failure locations of the port record.
enum CommLocation : DWORD {
    kLocSuccess = 0,
    kLocOpenCreateFile = 1,
    kLocTimeouts = 2,
    kLocOpenProperties = 3,
    kLocCloseHandle = 4,
    kLocCloseRestoreTimeouts = 5,
    kLocCloseNotOpen = 6,
    kLocGetSpeedState = 7,
    kLocGetSpeedUnlisted = 8,
    kLocGetSpeedNotOpen = 9,
    kLocGetTimeoutsCall = 10,
    kLocGetTimeoutsNotOpen = 11,
    kLocSetSpeedGetState = 12,
    kLocSetSpeedSetState = 13,
    kLocSetSpeedNotOpen = 14,
    kLocReadCall = 17,
    kLocReadMissing = 18,
    kLocReadNotOpen = 19,
    kLocWriteCall = 20,
    kLocWriteMissing = 21,
    kLocWriteNotOpen = 22,
    kLocBreakSet = 23,
    kLocBreakClear = 24,
};
