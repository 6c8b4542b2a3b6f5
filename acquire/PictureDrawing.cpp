#include "PictureDrawing.h"

#include "pvcamsdk.h"

namespace acquire {
namespace {

const BITMAPINFO* InfoOf(const ResourceBytes& file) {
    constexpr DWORD kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    if (!file.data || file.size < kHeaders) return nullptr;
    auto head = reinterpret_cast<const BITMAPFILEHEADER*>(file.data);
    auto info = reinterpret_cast<const BITMAPINFO*>(file.data + sizeof(BITMAPFILEHEADER));
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (head->bfType != 0x4D42 || h.biBitCount != 24 || h.biCompression != BI_RGB || h.biWidth <= 0 ||
        h.biHeight <= 0 || head->bfOffBits < kHeaders || head->bfOffBits > file.size)
        return nullptr;
    DWORD stride = DWORD((h.biWidth * 24 + 31) / 32 * 4);
    if (ULONGLONG(stride) * DWORD(h.biHeight) > file.size - head->bfOffBits) return nullptr;
    return info;
}

}  // namespace

SIZE PictureSize(const ResourceBytes& file) {
    const BITMAPINFO* info = InfoOf(file);
    return info ? SIZE{info->bmiHeader.biWidth, info->bmiHeader.biHeight} : SIZE{0, 0};
}

void DrawPicture(HDC dc, const ResourceBytes& file, const RECT& dest) {
    const BITMAPINFO* info = InfoOf(file);
    if (!info) return;
    const BYTE* bits = file.data + reinterpret_cast<const BITMAPFILEHEADER*>(file.data)->bfOffBits;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, 0,
                  info->bmiHeader.biWidth, info->bmiHeader.biHeight, bits, info, DIB_RGB_COLORS, SRCCOPY);
}

void DrawThumbnail(HDC dc, const std::vector<BYTE>& pixels, int left, int top) {
    if (pixels.size() != size_t(kPvThumbnailBytes)) return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kPvThumbnailWidth, kPvThumbnailHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(dc, left, top, kPvThumbnailWidth, kPvThumbnailHeight, 0, 0, 0, kPvThumbnailHeight,
                      pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace acquire
