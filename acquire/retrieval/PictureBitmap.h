// The picture handed to the application: one movable, zero-filled global block holding a
// BITMAPINFOHEADER and the 24-bit bits straight after it, rows bottom-up and padded to 4 bytes,
// pixels blue, green, red. A picture turned by an odd number of quarter turns has width and height
// exchanged. The block stays locked while the bitmap is being decoded into.
#pragma once

#include "GlobalMemory.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace acquire {

class PictureBitmap {
public:
    // The row length in bytes of a 24-bit row of width pixels.
    static uint32_t StrideOf(uint32_t width) { return ((width * 24 + 31) / 32) * 4; }

    // A bitmap of the stored picture's size turned by rotation quarter turns; empty when the size
    // is zero, too large for one block, or memory ran out.
    static PictureBitmap Allocate(uint32_t storedWidth, uint32_t storedHeight, uint16_t rotation);

    PictureBitmap() = default;
    PictureBitmap(PictureBitmap&&) = default;
    PictureBitmap& operator=(PictureBitmap&&) = default;

    explicit operator bool() const { return lock_ && *lock_; }
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    uint32_t stride() const { return StrideOf(width_); }
    uint16_t rotation() const { return rotation_; }
    // The bits: height() rows of stride() bytes, the bottom row first.
    uint8_t* bits() const;

    // The picture as stored, before it is turned.
    uint32_t storedWidth() const { return rotation_ % 2 ? height_ : width_; }
    uint32_t storedHeight() const { return rotation_ % 2 ? width_ : height_; }
    // Where the stored picture's pixels go: the blue byte of pixel (x, y) of the stored picture
    // (top row 0) is at origin + x * pixelStride + y * lineStride; green and red follow it. Each
    // quarter turn of the rotation turns the picture clockwise.
    struct Placement {
        uint8_t* origin;
        long pixelStride;
        long lineStride;
    };
    Placement placement() const;

    // Writes the header, unlocks the block and gives it to the caller.
    HGLOBAL Finish();

private:
    pv::GlobalBlock block_;
    std::unique_ptr<pv::LockedGlobal> lock_;   // released before the block
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    uint16_t rotation_ = 0;
};

}  // namespace acquire
