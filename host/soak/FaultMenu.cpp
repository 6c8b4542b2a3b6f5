#include "FaultMenu.h"

#include <iterator>

namespace soak {
namespace {

// How often each kind is drawn, in parts of the whole; one copy in four runs clean. "Not ready"
// costs the protocol's 1.5 s wait and a cable pull a new simulator, so they come less often.
constexpr unsigned kWeights[] = {
    24,   // None
    9,    // BadChecksumOnce
    8,    // BadChecksumTwice
    3,    // NotReady
    8,    // Busy
    8,    // Silence
    8,    // ShortPacket
    7,    // PacketError
    8,    // RefusedHostPacket
    7,    // RefusedCommand
    4,    // CablePull
};
static_assert(std::size(kWeights) == static_cast<size_t>(FaultKind::Count));

constexpr const char* kNames[] = {
    "none", "bad checksum once", "bad checksum twice", "not ready", "busy", "silence",
    "short packet", "camera error packet", "refused host packet", "refused command", "cable pull",
};
static_assert(std::size(kNames) == static_cast<size_t>(FaultKind::Count));

constexpr unsigned kFilePacket = 512;
constexpr unsigned kListPacket = 256;

}  // namespace

const char* KindName(FaultKind kind) { return kNames[static_cast<size_t>(kind)]; }

FaultKind FaultMenu::DrawKind() {
    unsigned total = 0;
    for (unsigned w : kWeights) total += w;
    unsigned pick = Below(total);
    size_t kind = 0;
    while (pick >= kWeights[kind]) pick -= kWeights[kind++];
    return static_cast<FaultKind>(kind);
}

// Packet numbers count within one command; a copy lists the file (one packet) before it reads
// it, so packet 1 may fall on either command and the later ones on the read.
std::string FaultMenu::Arming(FaultKind kind, unsigned packets) {
    const std::string packet = std::to_string(Between(1, packets));
    switch (kind) {
    case FaultKind::BadChecksumOnce: return "fault badsum " + packet + " 1";
    case FaultKind::BadChecksumTwice: return "fault badsum " + packet + " 2";
    case FaultKind::NotReady: return "fault notready " + std::to_string(Between(1, 3));
    case FaultKind::Busy:
        return Below(2) ? "fault busy " + std::to_string(Between(1, 40)) + " completion"
                        : "fault busy " + std::to_string(Between(1, 40)) + " control " + packet;
    case FaultKind::Silence:
        // In the listing (one packet of 256 entry bytes) or anywhere in the file's packets.
        return Below(4) ? "fault silence " + std::to_string(Below(packets * (kFilePacket + 2) + 2)) + " 9a"
                        : "fault silence " + std::to_string(Below(kListPacket + 4)) + " 99";
    case FaultKind::ShortPacket:
        return "fault short " + std::to_string(Between(1, 200)) + " " + std::to_string(Between(1, 2));
    case FaultKind::PacketError: return "fault packet-error " + packet;
    case FaultKind::RefusedHostPacket: return "fault nak " + std::to_string(Between(1, 5));
    case FaultKind::RefusedCommand:
        return std::string(Below(2) ? "fault reject " : "fault error ") + (Below(2) ? "99" : "9a");
    default: return "";
    }
}

Fault FaultMenu::DrawOf(FaultKind kind, unsigned fileSize) {
    const unsigned packets = fileSize / kFilePacket + 1;
    Fault fault;
    fault.kind = kind;
    fault.command = Arming(kind, packets);
    if (fault.kind == FaultKind::CablePull) fault.pullAt = Below(fileSize + 1);
    return fault;
}

}  // namespace soak
