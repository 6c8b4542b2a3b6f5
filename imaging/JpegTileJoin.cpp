#include "JpegTileJoin.h"

#include <algorithm>
#include <cstring>

namespace nif {
namespace {

constexpr uint8_t kSof0 = 0xC0, kSof1 = 0xC1, kRst0 = 0xD0, kSoi = 0xD8, kEoi = 0xD9, kSos = 0xDA, kDqt = 0xDB,
                  kDht = 0xC4, kDac = 0xCC, kDri = 0xDD, kCom = 0xFE;
constexpr int kTileSide = 64;
constexpr int kMaxBlocksInMcu = 10;

bool IsApplication(uint8_t marker) { return marker >= 0xE0 && marker <= 0xEF; }
bool DefinesTable(uint8_t marker) { return marker == kDqt || marker == kDht || marker == kDac; }

struct Segment {
    uint8_t marker;
    const uint8_t* start;   // the marker
    size_t size;            // marker, length and contents
    const uint8_t* body() const { return start + 4; }
    size_t bodySize() const { return size - 4; }
};

// Visits the marker segments from SOI up to and including the first SOS. False when the
// stream does not start with SOI, a segment runs past the end or visit refuses a segment.
template <typename Visit>
bool WalkHeaders(const uint8_t* data, size_t size, Visit visit) {
    if (size < 2 || data[0] != 0xFF || data[1] != kSoi) return false;
    for (size_t at = 2; at + 4 <= size;) {
        const size_t length = size_t(data[at + 2]) << 8 | data[at + 3];
        if (data[at] != 0xFF || length < 2 || length > size - at - 2) return false;
        const Segment s{data[at + 1], data + at, 2 + length};
        if (!visit(s)) return false;
        if (s.marker == kSos) return true;
        at += s.size;
    }
    return false;
}

bool ParseFrame(const Segment& s, JpegTileLayout* t) {
    const uint8_t* b = s.body();
    if (s.bodySize() < 6) return false;
    const int components = b[5];
    if (b[0] != 8 || (b[1] << 8 | b[2]) != kTileSide || (b[3] << 8 | b[4]) != kTileSide || components < 1 ||
        components > 4 || s.bodySize() != size_t(6 + 3 * components))
        return false;
    int blocks = 0;
    for (int c = 0; c < components; ++c) {
        const uint8_t* comp = b + 6 + 3 * c;
        for (int earlier = 0; earlier < c; ++earlier)
            if (b[6 + 3 * earlier] == comp[0]) return false;
        t->h[c] = comp[1] >> 4, t->v[c] = comp[1] & 15;
        if (t->h[c] < 1 || t->h[c] > 2 || t->v[c] < 1 || t->v[c] > 2 || comp[2] > 3) return false;
        t->maxH = std::max(t->maxH, t->h[c]);
        t->maxV = std::max(t->maxV, t->v[c]);
        blocks += t->h[c] * t->v[c];
    }
    t->components = components;
    t->frame = s.start, t->frameSize = s.size;
    return blocks <= kMaxBlocksInMcu;
}

// One scan over every component in frame order, whole spectrum, no successive approximation.
bool ParseScan(const Segment& s, JpegTileLayout* t) {
    const uint8_t* b = s.body();
    const int n = t->components;
    if (!t->frame || s.bodySize() != size_t(4 + 2 * n) || b[0] != n) return false;
    for (int c = 0; c < n; ++c)
        if (b[1 + 2 * c] != t->frame[4 + 6 + 3 * c] || (b[2 + 2 * c] >> 4) > 3 || (b[2 + 2 * c] & 15) > 3) return false;
    if (b[1 + 2 * n] != 0 || b[2 + 2 * n] != 63 || b[3 + 2 * n] != 0) return false;
    t->scan = s.start, t->scanSize = s.size;
    return true;
}

// The entropy-coded data runs to the first marker, which must be EOI.
bool FindEntropy(const uint8_t* from, const uint8_t* end, JpegTileLayout* t) {
    for (const uint8_t* p = from;;) {
        p = static_cast<const uint8_t*>(std::memchr(p, 0xFF, size_t(end - p)));
        if (!p || end - p < 2) return false;
        if (p[1] == 0) {
            p += 2;
            continue;
        }
        t->entropy = from, t->entropySize = size_t(p - from);
        return p[1] == kEoi;
    }
}

}  // namespace

bool JpegTileLayout::joinsWith(const JpegTileLayout& other) const {
    return frameSize == other.frameSize && scanSize == other.scanSize &&
           std::memcmp(frame, other.frame, frameSize) == 0 && std::memcmp(scan, other.scan, scanSize) == 0;
}

bool ParseJoinableTile(const uint8_t* data, size_t size, JpegTileLayout* out) {
    JpegTileLayout t;
    const bool headers = WalkHeaders(data, size, [&](const Segment& s) {
        if (s.marker == kSof0 || s.marker == kSof1) return !t.frame && ParseFrame(s, &t);
        if (s.marker == kSos) return ParseScan(s, &t);
        return IsApplication(s.marker) || s.marker == kCom;
    });
    if (!headers || !FindEntropy(t.scan + t.scanSize, data + size, &t)) return false;
    *out = t;
    return true;
}

bool DefinesTables(const uint8_t* data, size_t size) {
    bool defines = false;
    const bool walked = WalkHeaders(data, size, [&](const Segment& s) {
        defines = defines || DefinesTable(s.marker);
        return true;
    });
    return defines || !walked;
}

void JoinTiles(const std::vector<JpegTileLayout>& tiles, std::vector<uint8_t>& out) {
    const JpegTileLayout& first = tiles.front();
    size_t total = 2 + first.frameSize + 6 + first.scanSize + 2 * tiles.size();
    for (const JpegTileLayout& t : tiles) total += t.entropySize;
    out.clear();
    out.reserve(total);
    out.insert(out.end(), {0xFF, kSoi});
    out.insert(out.end(), first.frame, first.frame + first.frameSize);
    const size_t height = kTileSide * tiles.size();
    out[2 + 5] = static_cast<uint8_t>(height >> 8);
    out[2 + 6] = static_cast<uint8_t>(height);
    const int interval = first.restartInterval();
    out.insert(out.end(), {0xFF, kDri, 0, 4, static_cast<uint8_t>(interval >> 8), static_cast<uint8_t>(interval)});
    out.insert(out.end(), first.scan, first.scan + first.scanSize);
    for (size_t i = 0; i < tiles.size(); ++i) {
        out.insert(out.end(), tiles[i].entropy, tiles[i].entropy + tiles[i].entropySize);
        out.insert(out.end(), {0xFF, i + 1 < tiles.size() ? static_cast<uint8_t>(kRst0 + i % 8) : kEoi});
    }
}

}  // namespace nif
