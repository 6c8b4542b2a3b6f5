#include <algorithm>
#include "Raster.h"

namespace pvsim {

Raster resize(const Raster& src, int width, int height) {
    Raster out(width, height);
    for (int y = 0; y < height; ++y) {
        int y0 = y * src.height / height, y1 = std::max(y0 + 1, (y + 1) * src.height / height);
        for (int x = 0; x < width; ++x) {
            int x0 = x * src.width / width, x1 = std::max(x0 + 1, (x + 1) * src.width / width);
            unsigned sum[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    for (int c = 0; c < 3; ++c) sum[c] += src.at(sx, sy)[c];
            unsigned n = static_cast<unsigned>((y1 - y0) * (x1 - x0));
            for (int c = 0; c < 3; ++c) out.at(x, y)[c] = static_cast<uint8_t>(sum[c] / n);
        }
    }
    return out;
}

}  // namespace pvsim
