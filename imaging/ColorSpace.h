// The colour layout of a resolution's pixels, read from its sub-image colour property.
#pragma once

#include <cstdint>
#include <vector>

namespace nif {

struct ColorSpace {
    uint32_t space = 0;      // kSpaceMonochrome, kSpacePhotoYcc or kSpaceRgb
    int colorChannels = 0;   // 1 or 3
    bool opacity = false;    // a last opacity channel follows the colour channels

    int channels() const { return colorChannels + (opacity ? 1 : 0); }
    bool operator==(const ColorSpace&) const = default;
};

// Blob: sub-image count, channel count, one code per channel. False for anything this reader
// does not decode.
bool ParseColorSpace(const std::vector<uint8_t>& blob, ColorSpace* out);

}  // namespace nif
