#include "Mosaic.h"

namespace pvsim {
namespace {

constexpr int kWidth = 96, kHeight = 72;

// Which channel (0 red, 1 green, 2 blue) a sample of the mosaic carries.
int channelAt(int x, int y) {
    if ((x + y) % 2 == 0) return 1;
    return y % 2 == 0 ? 0 : 2;
}

}  // namespace

Bytes mosaicOf(const Raster& picture) {
    Raster small = resize(picture, kWidth, kHeight);
    Bytes out(kMosaicSize, 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint8_t nibble = small.at(x, y)[channelAt(x, y)] >> 4;
            size_t i = static_cast<size_t>(y * kWidth + x);
            out[i / 2] |= static_cast<uint8_t>(i % 2 == 0 ? nibble << 4 : nibble);
        }
    return out;
}

}  // namespace pvsim
