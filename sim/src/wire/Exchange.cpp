#include <algorithm>
#include "Exchange.h"

#include "Codes.h"
#include "HexCodec.h"
#include "LockRelease.h"

namespace pvsim {
namespace {

constexpr int kHostPacketTries = 4;    // packet, resend, withdrawn pair, and one more for a refusing fault
constexpr int kCameraPacketSends = 4;  // the packet and at most three resends

}  // namespace

void Exchange::accept() {
    ev_.counters.accepted++;
    toHost(code::kAccepted);
}

void Exchange::switchSpeed(unsigned baud) {
    line_.setSpeed(baud);
    ev_.counters.speedChanges++;
}

void Exchange::toHost(const uint8_t* data, size_t size) {
    LockRelease sending(held_);
    line_.write(data, size);
}

std::optional<uint8_t> Exchange::fromHost(int timeoutMs) {
    LockRelease waiting(held_);
    return line_.readByte(timeoutMs);
}

size_t Exchange::fromHost(uint8_t* out, size_t size, int gapMs) {
    LockRelease waiting(held_);
    return line_.read(out, size, gapMs);
}

bool Exchange::readPacketBody(uint8_t* packet) {
    size_t n = fromHost(packet + 1, code::kHostPacketSize - 1, timing_.gapMs);
    return n == code::kHostPacketSize - 1;
}

std::optional<Bytes> Exchange::receiveHostPacket() {
    uint8_t p[code::kHostPacketSize];
    for (int attempt = 0; attempt < kHostPacketTries; ++attempt) {
        auto first = fromHost(attempt == 0 ? timing_.hostPacketMs.load() : timing_.gapMs * 2);
        if (!first) {
            ev_.violations.report("host data packet did not arrive");
            return std::nullopt;
        }
        p[0] = *first;
        bool whole = readPacketBody(p);
        ev_.counters.hostPackets++;
        if (whole && p[0] == code::kHostWithdrawn) {
            // The host writes a withdrawn packet twice before it reads the answer.
            ev_.counters.withdrawn++;
            if (attempt == 0) ev_.violations.report("host withdrew its data packet before the camera refused it");
            uint8_t repeat[code::kHostPacketSize];
            repeat[0] = fromHost(timing_.gapMs).value_or(0);
            bool repeated = readPacketBody(repeat) && repeat[0] == code::kHostWithdrawn;
            if (!repeated) ev_.violations.report("host withdrew its data packet without sending it a second time");
            if (faults_.refuseHostPacket()) { toHost(code::kSendAgain); continue; }
            toHost(code::kPacketOk);
            return std::nullopt;
        }
        if (whole && p[0] != code::kHostData)
            ev_.violations.report("host data packet starts with " + pvpty::encodeHex(p, 1));
        if (whole && p[0] == code::kHostData && attempt >= 2)
            ev_.violations.report("host sent its packet a third time instead of withdrawing it");
        bool good = whole && p[0] == code::kHostData && xorOf(p + 1, 58) == p[59];
        if (faults_.refuseHostPacket() || !good) { toHost(code::kSendAgain); continue; }
        toHost(code::kPacketOk);
        return Bytes(p, p + code::kHostPacketSize);
    }
    ev_.violations.report("host data packet still not accepted after " + std::to_string(kHostPacketTries) + " tries");
    return std::nullopt;
}

bool Exchange::sendPackets(const Bytes& data, size_t size) {
    size_t count = std::max<size_t>(1, (data.size() + size - 1) / size);
    Bytes packet(size);
    for (size_t i = 0; i < count; ++i) {
        size_t from = i * size;
        size_t n = from < data.size() ? std::min(size, data.size() - from) : 0;
        std::fill(packet.begin(), packet.end(), 0);
        std::copy_n(data.begin() + static_cast<long>(from), n, packet.begin());
        if (!sendPacket(packet.data(), size)) return false;
    }
    return true;
}

bool Exchange::sendPacket(const uint8_t* data, size_t size) {
    ++packetNumber_;
    int busy = faults_.busyBeforeControl(packetNumber_);
    for (int i = 0; i < busy; ++i) toHost(code::kBusy);
    for (int send = 0; send < kCameraPacketSends; ++send) {
        PacketFault fault = faults_.packet(packetNumber_);
        if (fault.errorInstead || (able_ && !able_())) {
            toHost(code::kCameraError);
            return false;
        }
        writePacket(data, size, fault);
        if (send > 0) ev_.counters.resends++;
        Verdict v = awaitVerdict();
        if (v != Verdict::Again) return v == Verdict::Accepted;
    }
    ev_.violations.report(packetName() + " refused more than " + std::to_string(kCameraPacketSends - 1) + " times");
    return false;
}

void Exchange::writePacket(const uint8_t* data, size_t size, const PacketFault& fault) {
    Bytes out;
    out.reserve(size + 2);
    out.push_back(code::kDataFollows);
    out.insert(out.end(), data, data + size);
    out.push_back(static_cast<uint8_t>(xorOf(data, size) ^ (fault.badChecksum ? 0x01 : 0x00)));
    out.resize(out.size() - std::min(fault.cut, out.size()));
    toHost(out.data(), out.size());
    ev_.counters.packetsSent++;
}

Exchange::Verdict Exchange::awaitVerdict() {
    auto b = fromHost(timing_.verdictMs);
    if (!b) {
        ev_.violations.report("no verdict from the host on " + packetName());
        return Verdict::Ended;
    }
    if (*b == code::kPacketOk) return Verdict::Accepted;
    if (*b == code::kSendAgain) return Verdict::Again;
    if (*b == code::kCancel) {
        ev_.counters.cancels++;
        return Verdict::Ended;
    }
    reportStray(*b, ("instead of a verdict on " + packetName()).c_str());
    return Verdict::Ended;
}

// Names what the host sent when it should have answered a packet, and leaves the bytes for the
// command loop, which takes a complete command block as the next command.
void Exchange::reportStray(uint8_t first, const char* while_) {
    uint8_t block[code::kBlockSize] = {first};
    size_t n = 1 + fromHost(block + 1, code::kBlockSize - 1, 50);
    std::string hex = pvpty::encodeHex(block, n);
    if (n == code::kBlockSize && block[7] == code::kBlockEnd)
        ev_.violations.report("command block " + hex + " interleaved into a transfer, " + while_);
    else
        ev_.violations.report("unexpected bytes " + hex + " " + while_);
    line_.unread(block, n);
}

void Exchange::complete(uint8_t status) {
    int busy = faults_.busyBeforeCompletion();
    for (int i = 0; i < busy; ++i) toHost(code::kBusy);
    toHost(status);
    if (status == code::kComplete) ev_.counters.completed++;
}

}  // namespace pvsim
