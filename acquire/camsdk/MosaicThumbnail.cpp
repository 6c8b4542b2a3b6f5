#include "MosaicThumbnail.h"

#include "pvcamsdk.h"

namespace {

constexpr int kWidth = kPvThumbnailWidth, kHeight = kPvThumbnailHeight, kRow = kWidth * 3;

// Sample x of mosaic row y, widened from 4 to 8 bits.
BYTE Sample(const BYTE* mosaic, int y, int x) {
    BYTE pair = mosaic[(y * kWidth + x) / 2];
    return x % 2 ? BYTE(pair << 4) : BYTE(pair & 0xF0);
}

void Put(BYTE* pixels, int y, int x, BYTE blue, BYTE green, BYTE red) {
    BYTE* p = pixels + (kHeight - 1 - y) * kRow + x * 3;
    p[0] = blue;
    p[1] = green;
    p[2] = red;
}

}  // namespace

void MosaicToPixels(const BYTE* mosaic, BYTE* pixels) {
    for (int y = 0; y < kHeight; y += 2) {
        for (int x = 0; x < kWidth; x += 2) {
            BYTE green1 = Sample(mosaic, y, x), red = Sample(mosaic, y, x + 1);
            BYTE blue = Sample(mosaic, y + 1, x), green2 = Sample(mosaic, y + 1, x + 1);
            for (int dx = 0; dx < 2; ++dx) {
                Put(pixels, y, x + dx, blue, green1, red);
                Put(pixels, y + 1, x + dx, blue, green2, red);
            }
        }
    }
}
