#include "ThumbnailBitmap.h"


#include <cstdio>
#include <vector>

namespace pvcam {

bool WriteThumbnailBitmap(const BYTE* thumbnail, const std::string& file) {
    constexpr int kWidth = 96, kHeight = 72, kRow = kWidth * 3;
    std::vector<BYTE> pixels(kRow * kHeight);
    for (int i = 0; i < kWidth * kHeight; ++i) {
        BYTE sample = i % 2 ? thumbnail[i / 2] & 15 : thumbnail[i / 2] >> 4;
        int y = kHeight - 1 - i / kWidth, x = i % kWidth;   // bottom-up rows
        for (int c = 0; c < 3; ++c) pixels[y * kRow + x * 3 + c] = static_cast<BYTE>(sample * 17);
    }
    BITMAPINFOHEADER info{sizeof info, kWidth, kHeight, 1, 24, BI_RGB, DWORD(pixels.size()), 0, 0, 0, 0};
    BITMAPFILEHEADER head{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof info + pixels.size()), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof info};
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(&head, sizeof head, 1, f) == 1 && std::fwrite(&info, sizeof info, 1, f) == 1 &&
              std::fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace pvcam
