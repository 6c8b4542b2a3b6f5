#include "Transcript.h"

#include "HexCodec.h"

#include <cstdio>

namespace pvsim {

void Transcript::record(Direction dir, const uint8_t* data, size_t size) {
    if (size == 0) return;
    char tag = dir == Direction::FromHost ? 'H' : 'C';
    std::lock_guard g(lock_);
    if (total_ + size > kLimit) { truncated_ = true; return; }
    total_ += size;
    auto now = Clock::now();
    if (segments_.empty() || segments_.back().tag != tag) segments_.push_back({tag, {}, {}, now, now});
    segments_.back().bytes.insert(segments_.back().bytes.end(), data, data + size);
    segments_.back().end = now;
}

void Transcript::note(const std::string& marker) {
    std::lock_guard g(lock_);
    auto now = Clock::now();
    segments_.push_back({'#', {}, marker, now, now});
}

std::string Transcript::stamp(const Segment& s) const {
    auto ms = [this](Clock::time_point t) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", std::chrono::duration<double, std::milli>(t - origin_).count());
        return std::string(text);
    };
    return "@" + ms(s.start) + (s.tag == '#' ? "" : "-" + ms(s.end)) + " ";
}

std::string Transcript::render(bool withTimes) const {
    std::lock_guard g(lock_);
    std::string out;
    for (const auto& s : segments_) {
        if (!out.empty()) out += ' ';
        if (withTimes) out += stamp(s);
        out += s.tag;
        out += s.tag == '#' ? s.text : ":" + pvpty::encodeHex(s.bytes.data(), s.bytes.size());
    }
    if (truncated_) out += " #truncated";
    return out;
}

void Transcript::clear() {
    std::lock_guard g(lock_);
    segments_.clear();
    total_ = 0;
    truncated_ = false;
}

}  // namespace pvsim
