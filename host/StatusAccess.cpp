// Readers of the cached status record; none of them talks to the camera.
#include "SerialCamera.h"

#include "HostLibrary.h"
#include "StatusRecord.h"

namespace {

// The byte count bytes past offset; 0 beyond the record, however large the offset.
BYTE StatusByte(DWORD offset, DWORD count = 0) {
    return offset <= 0xFFFFFFFF - count ? pvhost::StatusByte(offset + count) : 0;
}

}  // namespace

DWORD CSerialCamera::GetStatusByte(DWORD offset) {
    pvhost::CameraMutexHold hold;
    return StatusByte(offset);
}

DWORD CSerialCamera::GetStatusWord(DWORD offset) {
    pvhost::CameraMutexHold hold;
    return (DWORD(StatusByte(offset)) << 8) | StatusByte(offset, 1);
}

DWORD CSerialCamera::GetStatusLong(DWORD offset) {
    pvhost::CameraMutexHold hold;
    return (DWORD(StatusByte(offset)) << 24) | (DWORD(StatusByte(offset, 1)) << 16) |
           (DWORD(StatusByte(offset, 2)) << 8) | StatusByte(offset, 3);
}

DWORD CSerialCamera::GetPicturesTaken() { return GetStatusWord(56); }

DWORD CSerialCamera::GetCardBit() {
    pvhost::CameraMutexHold hold;
    return StatusByte(30) & 0x80;
}

void CSerialCamera::ReadStatusBlock(BYTE* buffer) {
    pvhost::CameraMutexHold hold;
    if (!buffer) return;
    for (DWORD i = 0; i < 32; ++i) buffer[i] = StatusByte(90 + i);
}
