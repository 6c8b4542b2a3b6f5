// linkcheck: proves the serial link end to end. It asks the Linux-side peer for a terminal that
// echoes, linked as COM1, then opens it through pvlink at each supported speed, sends a block,
// reads it back and reports what happened.
#include "PeerClient.h"
#include "pvlink.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr DWORD kPort = 0;
constexpr DWORD kBlock = 4096;

bool RoundTrip(DWORD baud) {
    if (!CommSetSpeed(kPort, baud)) return false;
    std::vector<BYTE> out(kBlock), in(kBlock);
    for (DWORD i = 0; i < kBlock; ++i) out[i] = static_cast<BYTE>(i * 7 + baud);
    auto start = std::chrono::steady_clock::now();
    DWORD written = 0, read = 0;
    bool ok = CommWrite(kPort, out.data(), kBlock, &written) && CommRead(kPort, in.data(), kBlock, &read) &&
              in == out;
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    DWORD location = 0;
    CommGetStatus(kPort, nullptr, nullptr, nullptr, &location);
    std::printf("  %6lu baud: wrote %lu, read back %lu bytes %s in %.0f ms (failure location %lu)\n",
                static_cast<unsigned long>(baud), static_cast<unsigned long>(written),
                static_cast<unsigned long>(read), ok ? "identical" : "DIFFERENT", ms,
                static_cast<unsigned long>(location));
    return ok;
}

}  // namespace

int main() {
    try {
        pvtest::PeerClient peer;
        peer.openPort(1);
        peer.command("echo 1");
        std::printf("COM1 is a pseudo-terminal that echoes; opening it through pvlink.dll\n");
        if (!CommOpen(kPort)) {
            std::printf("CommOpen failed\n");
            return 1;
        }
        bool ok = true;
        for (DWORD baud : {9600u, 19200u, 38400u, 57600u, 115200u}) ok = RoundTrip(baud) && ok;
        std::printf("CommClose: %lu\n", static_cast<unsigned long>(CommClose(kPort)));
        std::printf(ok ? "link check passed\n" : "link check FAILED\n");
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::printf("linkcheck: %s\n", e.what());
        return 1;
    } catch (const MounterException& e) {
        char text[128];
        e.GetErrorText(text, sizeof text);
        std::printf("linkcheck: %s\n", text);
        return 1;
    }
}
