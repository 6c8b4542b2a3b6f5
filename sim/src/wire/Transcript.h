// Every byte that crossed the line, in order, with its direction and the monotonic time at which
// each run of bytes began and ended.
#pragma once

#include "Bytes.h"

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

namespace pvsim {

enum class Direction { FromHost, FromCamera };

class Transcript {
public:
    void record(Direction dir, const uint8_t* data, size_t size);
    void note(const std::string& marker);   // e.g. a recognised reset
    // One line: segments "H:<hex>" (host to camera), "C:<hex>" (camera to host) and "#marker".
    // With times, each segment is preceded by "@START-END" ("@AT" for a marker): milliseconds since
    // the simulator started, from a monotonic clock, so that waits on the line can be measured.
    std::string render(bool withTimes = false) const;
    void clear();

private:
    using Clock = std::chrono::steady_clock;
    struct Segment { char tag; Bytes bytes; std::string text; Clock::time_point start, end; };
    std::string stamp(const Segment& s) const;
    const Clock::time_point origin_ = Clock::now();
    static constexpr size_t kLimit = 32u << 20;   // keeps a runaway test from eating memory
    mutable std::mutex lock_;
    std::vector<Segment> segments_;
    size_t total_ = 0;
    bool truncated_ = false;
};

}  // namespace pvsim
