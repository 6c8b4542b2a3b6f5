#include "PictureBitmap.h"

#include <cstring>

namespace acquire {

PictureBitmap PictureBitmap::Allocate(uint32_t storedWidth, uint32_t storedHeight, uint16_t rotation) {
    PictureBitmap bitmap;
    const bool turned = rotation % 2 != 0;
    const uint32_t width = turned ? storedHeight : storedWidth;
    const uint32_t height = turned ? storedWidth : storedHeight;
    // Sizes whose bits would not fit a 32-bit biSizeImage are refused.
    if (width == 0 || height == 0 || width > 0x7FFFFFF || uint64_t(StrideOf(width)) * height > 0x7FFFFFFF - 64)
        return bitmap;
    bitmap.block_ = pv::GlobalBlock::alloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                           sizeof(BITMAPINFOHEADER) + SIZE_T(StrideOf(width)) * height);
    if (!bitmap.block_) return bitmap;
    bitmap.lock_ = std::make_unique<pv::LockedGlobal>(bitmap.block_.get());
    bitmap.width_ = width;
    bitmap.height_ = height;
    bitmap.rotation_ = rotation;
    return bitmap;
}

uint8_t* PictureBitmap::bits() const { return *this ? lock_->as<uint8_t>() + sizeof(BITMAPINFOHEADER) : nullptr; }

PictureBitmap::Placement PictureBitmap::placement() const {
    uint8_t* b = bits();
    const long s = long(stride());
    const long right = long(width_ - 1) * 3, top = long(height_ - 1) * s;
    switch (rotation_ % 4) {
    case 1: return {b + top + right, -s, -3};
    case 2: return {b + right, -3, s};
    case 3: return {b, s, 3};
    default: return {b + top, 3, -s};
    }
}

HGLOBAL PictureBitmap::Finish() {
    if (!*this) return nullptr;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = LONG(width_);
    header.biHeight = LONG(height_);
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = stride() * height_;
    std::memcpy(lock_->data(), &header, sizeof header);
    lock_.reset();
    return block_.release();
}

}  // namespace acquire
