// The six line speeds the link supports, and the top speed a port driver allows.
#pragma once

#include <windows.h>

namespace pvlink {

// The highest of the six speeds that a driver reporting dwMaxBaud (BAUD_* bits) can run.
DWORD TopSpeedForMaxBaud(DWORD maxBaud);
// 9600, 19200, 38400, 57600, 115200 or 230400.
bool IsSupportedSpeed(DWORD baud);

}  // namespace pvlink
