// A picture of the thumbnail view: the camera's 4-bit colour mosaic of 96 x 72 samples decoded to a
// packed bottom-up 24-bit device-independent bitmap of 96 x 72 pixels in a movable global block.
#pragma once

#include "GlobalMemory.h"

#include <windows.h>

#include <cstddef>

class CThumbNailImage {
public:
    static constexpr int kWidth = 96;
    static constexpr int kHeight = 72;
    // Two samples a byte, the high nibble first, rows from the top.
    static constexpr size_t kMosaicBytes = kWidth * kHeight / 2;
    static constexpr int kRowBytes = kWidth * 3;

    // Decodes a block of kMosaicBytes; throws std::bad_alloc when the bitmap cannot be made.
    CThumbNailImage(const BYTE* mosaic, size_t length);

    // The packed bitmap: BITMAPINFOHEADER, then the rows from the bottom up.
    HGLOBAL Bitmap() const { return m_bitmap.get(); }

private:
    pv::GlobalBlock m_bitmap;
};
