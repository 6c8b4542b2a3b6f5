#include "MutationRun.h"

#include "NIFError.h"
#include "NIFToolkit.h"

#include <algorithm>
#include <cstring>
#include <random>

namespace {

bool Explained(int code) {
    const char* message = nullptr;
    return NIFGetLastError(&message) == code && message && *message;
}

// The region decoded of a picture: all of it up to 2048 pixels a side. A damaged size may claim
// gigabytes, which the toolkit never allocates; the bitmap is the caller's, and stays bounded.
constexpr long kMaxSide = 2048;

// Opens and decodes every level into a bitmap sized from what the file claims (grey pictures
// into its first channel); true when everything succeeded.
bool DecodeAll(const std::vector<uint8_t>& bytes, MutationTally& tally) {
    NIFHandle* h = nullptr;
    long w = 0, ht = 0, kind = 0;
    int rc = NIFOpenImageFromMemory(bytes.data(), bytes.size(), &h, &w, &ht, &kind);
    if (rc) return tally.unexplained += !Explained(rc), false;
    NIFImageInformation info{};
    NIFGetImageInformation(h, &info);
    const long right = std::min(w, kMaxSide), bottom = std::min(ht, kMaxSide);
    const long stride = (right * 3 + 3) & ~3L;
    std::vector<uint8_t> bits(size_t(stride) * bottom);
    bool ok = true;
    for (int level = 0; level < info.levels; ++level) {
        NIFDestination d = NIFDestinationForBitmap(bits.data(), bottom, stride);
        if (info.colorSpace == NIF_SPACE_MONOCHROME) d.colorSpace = NIF_SPACE_MONOCHROME, d.channels = 1;
        rc = NIFReadRegion(h, 0, 0, right, bottom, level, &d, nullptr);
        if (rc) tally.unexplained += !Explained(rc), ok = false;
    }
    NIFCloseImage(h);
    return ok;
}

}  // namespace

void RunMutations(const std::vector<uint8_t>& original, uint32_t seed, uint32_t count, MutationTally& tally,
                  std::atomic<uint32_t>* heartbeat) {
    std::mt19937 random(seed);
    for (uint32_t n = 0; n < count; ++n) {
        if (heartbeat) ++*heartbeat;
        std::vector<uint8_t> v = original;
        if (n % 5 == 0) {
            v.resize(random() % v.size());
        } else {
            const uint32_t changes = 1 + random() % 8;
            for (uint32_t c = 0; c < changes; ++c) v[random() % v.size()] = static_cast<uint8_t>(random());
        }
        if (v.empty()) v.push_back(0);
        ++tally.variants;
        (DecodeAll(v, tally) ? tally.decoded : tally.refused)++;
    }
}
