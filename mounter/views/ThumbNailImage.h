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

    // Draws the picture unscaled with its top-left corner at position: its 192 x 144 source
    // rectangle goes to a destination of the same size, where the rows and columns beyond the
    // picture stay as they were.
    void Draw(HDC dc, POINT position) const;

private:
    static constexpr RECT kSource = {0, 0, 2 * kWidth, 2 * kHeight};

    pv::GlobalBlock m_bitmap;
};
