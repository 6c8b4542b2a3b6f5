// copybench: copies a 300 KB picture from the simulated camera, throttled to the line speed, at
// three speeds and two lock delays, and compares the effective rate with the line rate and with
// the cost the protocol's design implies. Every link call first sleeps the lock delay, while the
// camera goes on sending; so a packet costs its two reads' delays or its line time, whichever is
// longer, then the delay before the acknowledgement and that byte's own line time.
// Run it through testing/wine/run.sh so that it finds the test peer.
#include "PeerClient.h"
#include "RegistryFixture.h"
#include "UniqueHandle.h"
#include "pvhost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr DWORD kFileSize = 300 * 1024;
constexpr DWORD kPacket = 512;
// The camera's packet on the line: control byte, data, checksum.
constexpr DWORD kPacketLineBytes = 1 + kPacket + 1;

double PacketSeconds(DWORD speed, DWORD lockDelayMs) {
    double delay = lockDelayMs / 1000.0, byteTime = 10.0 / speed;
    return std::max(2 * delay, kPacketLineBytes * byteTime) + delay + byteTime;
}

void PutFile(const std::string& path) {
    std::vector<char> bytes(kFileSize);
    for (DWORD i = 0; i < kFileSize; ++i) bytes[i] = static_cast<char>(i * 31 + (i >> 9));
    pv::UniqueHandle h(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!h || !WriteFile(h.get(), bytes.data(), kFileSize, &written, nullptr) || written != kFileSize)
        throw std::runtime_error("cannot write the picture " + path);
}

unsigned long Counter(const std::string& counters, const std::string& name) {
    std::istringstream in(counters);
    for (std::string item; in >> item;)
        if (item.rfind(name + "=", 0) == 0) return std::stoul(item.substr(name.size() + 1));
    return 0;
}

bool Measure(pvtest::PeerClient& peer, DWORD speed, DWORD lockDelay) {
    // The user's own "LockDelay" (and the rest of the key) is back when the measurement ends.
    pvtest::ScopedMachineDword delay(pvtest::kLinkKey, "LockDelay", lockDelay);
    auto sim = peer.startSimulator(1, 1, "--throttle");
    pvtest::PeerClient control(sim.control);
    PutFile(sim.cardDir + "\\PCCARD\\DCIMAGES\\BENCH.JPG");
    CSerialCamera* camera = nullptr;
    try {
        camera = OpenCamera(0, speed, 0, nullptr, 0);
    } catch (const CCameraException& e) {
        peer.stopSimulator(1);
        std::printf("%7lu baud: the camera could not be opened (result %lu; the port's driver may not "
                    "reach this speed)\n", static_cast<unsigned long>(speed), static_cast<unsigned long>(e.GetResult()));
        return false;
    }
    control.command("counters clear");
    BYTE* data = nullptr;
    DWORD size = 0;
    auto start = std::chrono::steady_clock::now();
    DWORD r = CameraReadPictureFile(camera, "\\PCCARD\\DCIMAGES\\BENCH.JPG", &data, &size, nullptr, 0);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    FreeCameraBuffer(data);
    DestroyCamera(camera);
    std::string counters = control.command("counters");
    peer.stopSimulator(1);
    if (r != 0) {
        std::printf("%7lu baud, LockDelay %2lu ms: failed with camera result %lu\n",
                    static_cast<unsigned long>(speed), static_cast<unsigned long>(lockDelay),
                    static_cast<unsigned long>(r));
        return false;
    }
    double lineSeconds = (Counter(counters, "bytes_in") + Counter(counters, "bytes_out")) * 10.0 / speed;
    DWORD packets = (kFileSize + kPacket - 1) / kPacket;
    double designSeconds = packets * PacketSeconds(speed, lockDelay);
    double rate = kFileSize / seconds;
    std::printf("%7lu baud, LockDelay %2lu ms: %6.2f s, %7.0f bytes/s = %5.1f %% of the line rate "
                "(line time %.2f s); design's cost of the %lu packets %.2f s = %5.1f %% of the time taken\n",
                static_cast<unsigned long>(speed), static_cast<unsigned long>(lockDelay), seconds, rate,
                100.0 * rate / (speed / 10.0), lineSeconds, static_cast<unsigned long>(packets), designSeconds,
                100.0 * designSeconds / seconds);
    return true;
}

}  // namespace

int main() {
    try {
        pvtest::PeerClient peer;
        bool ok = true;
        for (DWORD speed : {57600u, 115200u, 230400u})
            for (DWORD lockDelay : {0u, 25u}) ok = Measure(peer, speed, lockDelay) && ok;
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::printf("copybench: %s\n", e.what());
        return 1;
    } catch (const MounterException& e) {
        char text[256];
        e.GetErrorText(text, sizeof text);
        std::printf("copybench: %s\n", text);
        return 1;
    }
}
