// Decodes a whole JPEG file held in memory into a picture bitmap of the same (stored) size, with
// libjpeg: rows go straight to their places in the bottom-up bitmap as blue, green, red pixels.
#pragma once

#include "DecodeProgress.h"
#include "PictureBitmap.h"

#include <cstddef>
#include <cstdint>

namespace acquire {

// 0; kErrJpegData when the data does not start with FF D8 or is damaged (truncated data
// included); kErrUnexpected for a header that cannot be read or a size other than the bitmap's
// stored size; kErrCancelled when progress, asked after each line, said stop.
int ReadJpegPicture(const uint8_t* data, size_t size, const PictureBitmap& bitmap, DecodeProgress* progress);

}  // namespace acquire
