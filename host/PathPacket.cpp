#include "PathPacket.h"

#include "CameraTypes.h"

#include <cstring>

namespace pvhost {

void PutBigEndian32(BYTE* at, DWORD value) {
    at[0] = static_cast<BYTE>(value >> 24);
    at[1] = static_cast<BYTE>(value >> 16);
    at[2] = static_cast<BYTE>(value >> 8);
    at[3] = static_cast<BYTE>(value);
}

DWORD GetBigEndian32(const BYTE* at) {
    return (DWORD(at[0]) << 24) | (DWORD(at[1]) << 16) | (DWORD(at[2]) << 8) | at[3];
}

bool BuildPathPacket(BYTE (&packet)[kHostPacketSize], const char* path, DWORD field1, DWORD field2) {
    size_t length = path ? strnlen(path, kMaxPathLength + 1) : 0;
    if (length > kMaxPathLength) return false;
    std::memset(packet, 0, sizeof packet);
    packet[0] = kHostData;
    if (length) std::memcpy(packet + 1, path, length);
    PutBigEndian32(packet + 49, field1);
    PutBigEndian32(packet + 53, field2);
    return true;
}

}  // namespace pvhost
