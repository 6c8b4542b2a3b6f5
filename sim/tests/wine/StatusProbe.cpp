// A Windows program that opens "COM1:" like the host software does and exchanges one status
// command with the camera simulator. Exit code 0 when every byte was as the camera's protocol says.
#include <windows.h>

#include <cstdio>

namespace {

bool writeAll(HANDLE port, const unsigned char* data, DWORD size) {
    DWORD done = 0;
    return WriteFile(port, data, size, &done, nullptr) && done == size;
}

DWORD readSome(HANDLE port, unsigned char* data, DWORD size) {
    DWORD total = 0;
    for (int tries = 0; tries < 3 && total < size; ++tries) {
        DWORD n = 0;
        if (!ReadFile(port, data + total, size - total, &n, nullptr)) break;
        total += n;
    }
    return total;
}

int fail(const char* what) {
    std::printf("status probe: %s (error %lu)\n", what, GetLastError());
    return 1;
}

}  // namespace

int main() {
    HANDLE port = CreateFileA("COM1:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) return fail("cannot open COM1:");
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port, &dcb);
    dcb.BaudRate = 9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    if (!SetCommState(port, &dcb)) return fail("SetCommState");
    COMMTIMEOUTS timeouts{0, 10, 3000, 10, 3000};
    SetCommTimeouts(port, &timeouts);
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);

    const unsigned char status[8] = {0x7F, 0, 0, 0, 0, 0, 0, 0x1A};
    unsigned char answer = 0, packet[258] = {}, ok = 0xD2;
    if (!writeAll(port, status, 8)) return fail("writing the command block");
    if (readSome(port, &answer, 1) != 1 || answer != 0xD1) return fail("no 0xD1 answer");
    if (readSome(port, packet, 258) != 258 || packet[0] != 0x01) return fail("no status packet");
    unsigned char sum = 0;
    for (int i = 1; i <= 256; ++i) sum ^= packet[i];
    if (sum != packet[257]) return fail("bad status checksum");
    if (!writeAll(port, &ok, 1)) return fail("writing 0xD2");
    if (readSome(port, &answer, 1) != 1 || answer != 0x00) return fail("no completion byte");
    CloseHandle(port);
    std::printf("status probe: model byte %u, card byte %02X\n", packet[1 + 1], packet[1 + 30]);
    return packet[1 + 1] == 2 && packet[1 + 30] == 0x80 ? 0 : 1;
}
