// The line faults a soak run draws from: what the simulated camera is told to do wrong during one
// copy, drawn from a seeded generator so that a run can be repeated.
#pragma once

#include <random>
#include <string>

namespace soak {

enum class FaultKind {
    None,
    BadChecksumOnce,     // a packet with a wrong checksum, good when sent again
    BadChecksumTwice,    // the same packet bad twice: the host cancels
    NotReady,            // "not ready" answers to command blocks
    Busy,                // busy bytes before a control or completion byte
    Silence,             // the camera stops sending partway
    ShortPacket,         // packets that lack their last bytes
    PacketError,         // a camera error in place of a packet
    RefusedHostPacket,   // the host's path packet refused
    RefusedCommand,      // the command block rejected or answered with a camera error
    CablePull,           // the camera vanishes partway through the copy
    Count
};

const char* KindName(FaultKind kind);

struct Fault {
    FaultKind kind = FaultKind::None;
    std::string command;    // the simulator's control line that arms it ("fault ..."), or empty
    unsigned pullAt = 0;    // CablePull: bytes received before the camera goes
};

class FaultMenu {
public:
    explicit FaultMenu(unsigned seed) : random_(seed) {}
    Fault Draw(unsigned fileSize) { return DrawOf(DrawKind(), fileSize); }
    // A fault of the given kind, its details (packet, count, place) drawn.
    Fault DrawOf(FaultKind kind, unsigned fileSize);
    unsigned Below(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random_); }

private:
    unsigned Between(unsigned low, unsigned high) {
        return std::uniform_int_distribution<unsigned>(low, high)(random_);
    }
    FaultKind DrawKind();
    std::string Arming(FaultKind kind, unsigned packets);

    std::mt19937 random_;
};

}  // namespace soak
