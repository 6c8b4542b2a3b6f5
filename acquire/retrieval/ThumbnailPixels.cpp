#include "ThumbnailPixels.h"

namespace acquire {

void SampleThumbnailRow(const BYTE* row, int width, bool redFirst, int y, BYTE* thumbnail) {
    // Row y from the thumbnail's top is stored at kThumbHeight - 1 - y.
    BYTE* out = thumbnail + size_t(kThumbHeight - 1 - y) * kThumbWidth * 3;
    for (int x = 0; x < kThumbWidth; ++x, out += 3) {
        const BYTE* pixel = row + size_t(int64_t(x) * width / kThumbWidth) * 3;
        out[0] = redFirst ? pixel[2] : pixel[0];
        out[1] = pixel[1];
        out[2] = redFirst ? pixel[0] : pixel[2];
    }
}

std::vector<BYTE> MakeThumbnail(const PixelSource& source) {
    if (!source.rows || source.width <= 0 || source.height <= 0) return {};
    std::vector<BYTE> thumbnail(kThumbBytes);
    for (int y = 0; y < kThumbHeight; ++y) {
        const int from = ThumbnailSourceRow(y, source.height);
        const int stored = source.bottomUp ? source.height - 1 - from : from;
        SampleThumbnailRow(source.rows + size_t(stored) * source.stride, source.width, source.redFirst, y,
                           thumbnail.data());
    }
    return thumbnail;
}

}  // namespace acquire
