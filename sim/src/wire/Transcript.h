// Every byte that crossed the line, in order, with its direction.
#pragma once

#include "Bytes.h"

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
    std::string render() const;
    void clear();

private:
    struct Segment { char tag; Bytes bytes; std::string text; };
    static constexpr size_t kLimit = 32u << 20;   // keeps a runaway test from eating memory
    mutable std::mutex lock_;
    std::vector<Segment> segments_;
    size_t total_ = 0;
    bool truncated_ = false;
};

}  // namespace pvsim
