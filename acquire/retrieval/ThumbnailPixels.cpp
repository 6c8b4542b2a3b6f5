#include "ThumbnailPixels.h"

namespace acquire {

std::vector<BYTE> MakeThumbnail(const PixelSource& source) {
    if (!source.rows || source.width <= 0 || source.height <= 0) return {};
    std::vector<BYTE> thumbnail(kThumbBytes);
    for (int y = 0; y < kThumbHeight; ++y) {
        // Row y from the thumbnail's top, stored at kThumbHeight - 1 - y.
        int from = int(int64_t(y) * source.height / kThumbHeight);
        int stored = source.bottomUp ? source.height - 1 - from : from;
        const BYTE* row = source.rows + size_t(stored) * source.stride;
        BYTE* out = &thumbnail[size_t(kThumbHeight - 1 - y) * kThumbWidth * 3];
        for (int x = 0; x < kThumbWidth; ++x, out += 3) {
            const BYTE* pixel = row + size_t(int64_t(x) * source.width / kThumbWidth) * 3;
            out[0] = source.redFirst ? pixel[2] : pixel[0];
            out[1] = pixel[1];
            out[2] = source.redFirst ? pixel[0] : pixel[2];
        }
    }
    return thumbnail;
}

}  // namespace acquire
