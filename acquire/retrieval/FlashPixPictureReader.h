// Decodes a FlashPix picture held in memory into a picture bitmap of the same (stored) size with
// the image toolkit: the full resolution, written straight into the bitmap through the toolkit's
// strides, the picture's first row into the bitmap's last.
#pragma once

#include "DecodeProgress.h"
#include "PictureBitmap.h"

#include <cstddef>
#include <cstdint>

namespace acquire {

// The level of the full size: how often width and height are halved (rounding up) until neither
// exceeds 64.
int FullSizeLevel(uint32_t width, uint32_t height);

// 0; kErrFlashPixRefused for data the toolkit does not open as a FlashPix image or view;
// kErrFlashPixLayout unless it has three colour channels (RGB or PhotoYCC, no opacity);
// kErrUnexpected for a size other than the bitmap's stored size; kErrCancelled when progress,
// asked after each row of tiles, said stop; kErrFlashPixDecode for any other toolkit failure.
int ReadFlashPixPicture(const uint8_t* data, size_t size, const PictureBitmap& bitmap, DecodeProgress* progress);

}  // namespace acquire
