#include "ThumbNailImage.h"

#include <new>
#include <vector>

namespace {

// The 8-bit samples of the mosaic, row by row from the top: the high nibble, then the low one.
std::vector<BYTE> Samples(const BYTE* mosaic, size_t length) {
    std::vector<BYTE> samples(CThumbNailImage::kWidth * CThumbNailImage::kHeight, 0);
    size_t bytes = length < CThumbNailImage::kMosaicBytes ? length : CThumbNailImage::kMosaicBytes;
    for (size_t i = 0; mosaic && i < bytes; ++i) {
        samples[2 * i] = mosaic[i] & 0xF0;
        samples[2 * i + 1] = static_cast<BYTE>(mosaic[i] << 4);
    }
    return samples;
}

// In each 2 x 2 block green is upper-left, red upper-right, blue lower-left, green lower-right; both
// pixels of a row share the block's red and blue and their row's green.
void FillRows(const std::vector<BYTE>& s, BYTE* pixels) {
    constexpr int w = CThumbNailImage::kWidth, h = CThumbNailImage::kHeight;
    auto put = [&](int row, int x, BYTE blue, BYTE green, BYTE red) {
        BYTE* p = pixels + (h - 1 - row) * CThumbNailImage::kRowBytes + x * 3;
        p[0] = blue;
        p[1] = green;
        p[2] = red;
    };
    for (int r = 0; r + 1 < h; r += 2)
        for (int x = 0; x + 1 < w; x += 2) {
            BYTE g1 = s[r * w + x], red = s[r * w + x + 1], blue = s[(r + 1) * w + x], g2 = s[(r + 1) * w + x + 1];
            for (int dx = 0; dx < 2; ++dx) {
                put(r, x + dx, blue, g1, red);
                put(r + 1, x + dx, blue, g2, red);
            }
        }
}

}  // namespace

CThumbNailImage::CThumbNailImage(const BYTE* mosaic, size_t length) {
    constexpr size_t kHeaderRoom = 44;
    m_bitmap = pv::GlobalBlock::alloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kHeaderRoom + size_t(kRowBytes) * kHeight);
    pv::LockedGlobal lock(m_bitmap.get());
    if (!m_bitmap || !lock) throw std::bad_alloc();
    auto* header = lock.as<BITMAPINFOHEADER>();
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = kWidth;
    header->biHeight = kHeight;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    FillRows(Samples(mosaic, length), reinterpret_cast<BYTE*>(header + 1));
}

void CThumbNailImage::Draw(HDC dc, POINT position) const {
    pv::LockedGlobal lock(m_bitmap.get());
    if (!lock) return;
    auto* info = lock.as<BITMAPINFO>();
    const void* bits = reinterpret_cast<const BYTE*>(info) + info->bmiHeader.biSize;
    SetDIBitsToDevice(dc, position.x, position.y, kSource.right - kSource.left, kSource.bottom - kSource.top,
                      kSource.left, kHeight - kSource.bottom, 0, kHeight, bits, info, DIB_RGB_COLORS);
}
