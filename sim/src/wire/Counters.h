// Running totals of what the camera saw and did, read over the control channel.
#pragma once

#include <atomic>
#include <string>

namespace pvsim {

struct Counters {
    std::atomic<unsigned> blocks{0};          // command blocks received
    std::atomic<unsigned> accepted{0};        // answered 0xD1
    std::atomic<unsigned> completed{0};       // commands that ended with the completion byte 0x00
    std::atomic<unsigned> hostPackets{0};     // host data packets received (withdrawn ones included)
    std::atomic<unsigned> withdrawn{0};
    std::atomic<unsigned> packetsSent{0};     // camera data packets, resends included
    std::atomic<unsigned> resends{0};
    std::atomic<unsigned> cancels{0};         // transfers ended by 0xE4
    std::atomic<unsigned> resets{0};          // host resets recognised
    std::atomic<unsigned> speedChanges{0};
    std::atomic<unsigned> bytesIn{0};
    std::atomic<unsigned> bytesOut{0};
    std::atomic<unsigned> garbled{0};         // bytes that arrived at a speed the camera was not at

    std::string render() const;
    void clear();
};

}  // namespace pvsim
