#include "Transcript.h"

#include "HexCodec.h"

namespace pvsim {

void Transcript::record(Direction dir, const uint8_t* data, size_t size) {
    if (size == 0) return;
    char tag = dir == Direction::FromHost ? 'H' : 'C';
    std::lock_guard g(lock_);
    if (total_ + size > kLimit) { truncated_ = true; return; }
    total_ += size;
    if (segments_.empty() || segments_.back().tag != tag) segments_.push_back({tag, {}, {}});
    segments_.back().bytes.insert(segments_.back().bytes.end(), data, data + size);
}

void Transcript::note(const std::string& marker) {
    std::lock_guard g(lock_);
    segments_.push_back({'#', {}, marker});
}

std::string Transcript::render() const {
    std::lock_guard g(lock_);
    std::string out;
    for (const auto& s : segments_) {
        if (!out.empty()) out += ' ';
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
