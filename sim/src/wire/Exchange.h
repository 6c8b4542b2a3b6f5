// The camera's side of one command exchange: the answer to the block, the host's data packet with
// its verdict, the camera's data packets with their acknowledgement, resend and cancel, and the
// completion byte. Faults armed on the control channel are applied here.
//
// The camera's state is guarded by the camera lock, which the command's handler holds; the exchange
// lets go of it while bytes cross the line, so that the control channel can change the camera (pull
// the card, drain the battery) in the middle of a transfer.
#pragma once

#include "Bytes.h"
#include "FaultPlan.h"
#include "Line.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>

namespace pvsim {

// Set from the control channel while an exchange may be reading them.
struct Timing {
    std::atomic<int> gapMs{1000};            // longest pause inside a block or packet
    std::atomic<int> hostPacketMs{5000};     // wait for the host's data packet after 0xD1
    std::atomic<int> verdictMs{10000};       // wait for the host's verdict on a camera packet
};

class Exchange {
public:
    Exchange(Line& line, FaultPlan& faults, LineEvidence evidence, const Timing& timing)
        : line_(line), faults_(faults), ev_(evidence), timing_(timing) {}

    // The camera lock the handler holds; released while bytes cross the line.
    void releaseWhileWaiting(std::unique_lock<std::mutex>& held) { held_ = &held; }
    // What must stay true for the camera to go on sending: checked under the camera lock before each
    // data packet; when it fails, 0xE2 goes out in place of the packet and the transfer ends.
    void requireWhileSending(std::function<bool()> able) { able_ = std::move(able); }

    void answer(uint8_t byte) { toHost(byte); }
    void accept();
    // The host's 60-byte packet once the camera accepted it; nothing when it was withdrawn or lost.
    std::optional<Bytes> receiveHostPacket();
    // Sends data in packets of `size` bytes (the last one zero-filled). False when the transfer ended
    // early: cancelled by the host, refused, or faulted.
    bool sendPackets(const Bytes& data, size_t size);
    void sendErrorInsteadOfPacket() { toHost(0xE2); }
    void complete(uint8_t status = 0);
    void switchSpeed(unsigned baud);
    void reportViolation(const std::string& what) { ev_.violations.report(what); }

private:
    enum class Verdict { Accepted, Again, Ended };

    bool sendPacket(const uint8_t* data, size_t size);
    void writePacket(const uint8_t* data, size_t size, const PacketFault& fault);
    Verdict awaitVerdict();
    void reportStray(uint8_t first, const char* while_);
    bool readPacketBody(uint8_t* packet);
    // The line in both directions, without the camera lock: the camera's bytes are paced at the
    // line speed and wait for a host that reads, the host's bytes take their time to come.
    void toHost(const uint8_t* data, size_t size);
    void toHost(uint8_t byte) { toHost(&byte, 1); }
    std::optional<uint8_t> fromHost(int timeoutMs);
    size_t fromHost(uint8_t* out, size_t size, int gapMs);
    std::string packetName() const { return "packet " + std::to_string(packetNumber_); }

    Line& line_;
    FaultPlan& faults_;
    LineEvidence ev_;
    const Timing& timing_;
    int packetNumber_ = 0;
    std::unique_lock<std::mutex>* held_ = nullptr;
    std::function<bool()> able_;
};

}  // namespace pvsim
