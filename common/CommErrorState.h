// The failure record that the link library keeps for each port.
#pragma once

#include <windows.h>

struct CommErrorState {
    COMSTAT status;      // as ClearCommError filled it at the failure
    DWORD errorMask;     // CE_ bits of ClearCommError
    DWORD lastError;     // GetLastError right after the failing call
    DWORD location;      // which step failed (CommLocation)
};
static_assert(sizeof(COMSTAT) == 12, "COMSTAT is three words");
static_assert(sizeof(CommErrorState) == 24, "the record is six words");
