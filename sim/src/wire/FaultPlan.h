// Faults armed from the control channel. Each kind has its own slot, so several can be combined;
// each is used up by the exchanges it changes.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace pvsim {

// What happens to one camera data packet (numbered from 1 within a command).
struct PacketFault {
    bool badChecksum = false;
    bool errorInstead = false;   // 0xE2 in place of the packet; the command ends there
    size_t cut = 0;              // bytes missing at the end of the packet
};

class FaultPlan {
public:
    // Arms a fault from its control-channel words ("notready 2", "badsum 3 2", ...). Error text or "".
    std::string arm(const std::string& words);
    void clear();

    std::optional<uint8_t> blockAnswer(uint8_t command);   // 0x10, 0xE1 or 0xE2 instead of 0xD1
    // Bytes of this command's output before the camera falls silent, or -1.
    long silence(uint8_t command);
    int busyBeforeControl(int packetNumber);   // packet numbered from 1 within a command
    int busyBeforeCompletion();
    PacketFault packet(int number);
    bool refuseHostPacket();                                // 0xE3 whatever the packet held

private:
    struct Answer { int command = -1; uint8_t byte = 0; int times = 0; };   // command -1: any
    struct BadPacket { int number = 0; int times = 0; };

    std::string armAnswer(uint8_t byte, const std::string& target, int times);
    std::string armSilence(long bytes, const std::string& target);
    static bool take(int& counter);

    std::mutex lock_;
    int notReady_ = 0;
    Answer answer_;
    int busyControl_ = 0;
    int busyControlPacket_ = 0;   // 0: whichever packet comes next
    int busyCompletion_ = 0;
    BadPacket badSum_;
    int errorPacket_ = 0;
    long silence_ = -1;
    int silenceCommand_ = -1;   // -1: whichever command comes next
    size_t shortBy_ = 0;
    int shortTimes_ = 0;
    int nak_ = 0;
};

}  // namespace pvsim
