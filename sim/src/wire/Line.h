// The camera's end of the serial line: bounded reads, paced writes, the transcript, the camera's
// own notion of the line speed, and recognition of the host's reset.
//
// A pseudo-terminal carries neither breaks nor a real line speed. The camera therefore keeps its
// own speed (9600 after a reset, moved by command 0x41) and compares it with the speed the host set
// on its side of the terminal. The host's reset (break, long pause, back to 9600 baud) is recognised
// as a quiet line of at least resetQuietMs followed by a byte that can open a command block while the
// host's side is at 9600 baud.
#pragma once

#include "Bytes.h"
#include "Counters.h"
#include "Transcript.h"
#include "Violations.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>

namespace pvsim {

// Thrown out of a read when the byte that arrived follows a host reset; the byte stays unread.
struct LineReset : std::runtime_error {
    LineReset() : std::runtime_error("host reset") {}
};

struct LineEvidence {
    Transcript& transcript;
    Counters& counters;
    Violations& violations;
};

class Line {
public:
    using Clock = std::chrono::steady_clock;

    Line(int fd, std::function<unsigned()> hostSpeed, LineEvidence evidence, const std::atomic<bool>& stop);

    // One byte, or nothing after timeoutMs (or when the simulator is stopping).
    std::optional<uint8_t> readByte(int timeoutMs);
    // Up to size bytes; gives up when no byte arrives for gapMs. Answers the count read.
    size_t read(uint8_t* out, size_t size, int gapMs);
    void unread(const uint8_t* data, size_t size);
    // Returns once every byte the host has written so far is read and recorded (or after
    // timeoutMs): what a question about the transcript must wait for. Any thread may call it.
    void settle(int timeoutMs);
    void write(const uint8_t* data, size_t size);
    void write(uint8_t b) { write(&b, 1); }

    unsigned speed() const { return speed_; }
    void setSpeed(unsigned baud) { speed_ = baud; }
    void setThrottle(bool on) { throttle_ = on; }
    bool throttled() const { return throttle_; }
    void setResetQuietMs(int ms) { resetQuietMs_ = ms; }

    // Drops everything the camera sends after the next `bytes` bytes, until endCommand.
    void silenceAfter(long bytes);
    void endCommand();

private:
    bool waitForInput(Clock::time_point deadline);
    bool acceptArrival(uint8_t b);
    void writeNow(const uint8_t* data, size_t size);
    void writePaced(const uint8_t* data, size_t size);
    size_t passSilence(size_t size);
    Clock::duration byteTime() const;

    int fd_;
    std::function<unsigned()> hostSpeed_;
    Bytes asHeardByTheHost(const uint8_t* data, size_t size);
    bool outputGarbled_ = false;   // the host listened at another speed for the last write
    LineEvidence ev_;
    const std::atomic<bool>& stop_;
    std::mutex arrival_;
    std::deque<uint8_t> pushedBack_;
    std::atomic<unsigned> speed_{9600};
    std::atomic<bool> throttle_{false};
    int resetQuietMs_ = 2000;
    long silentAfter_ = -1;
    bool garbling_ = false;
    Clock::time_point lastActivity_;
    Clock::time_point inputDone_;
    Clock::time_point outputFree_;
};

}  // namespace pvsim
