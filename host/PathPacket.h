// The 60-byte host data packet that names a camera file or directory.
#pragma once

#include <windows.h>

namespace pvhost {

constexpr DWORD kHostPacketSize = 60;
constexpr BYTE kHostData = 0x80;

// Fills packet with the path (at most 48 characters, not terminated) and the two fields; the
// checksum is left for the sender. False when the path does not fit.
bool BuildPathPacket(BYTE (&packet)[kHostPacketSize], const char* path, DWORD field1, DWORD field2);

void PutBigEndian32(BYTE* at, DWORD value);
DWORD GetBigEndian32(const BYTE* at);

}  // namespace pvhost
