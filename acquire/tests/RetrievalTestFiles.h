// Inputs and views of the hand-over's tests: the generated JPEG pictures with djpeg's BMP decode
// of each, and packed bitmaps read back as header and bits.
#pragma once

#include "DecodeProgress.h"
#include "PictureBitmap.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace retrievaltest {

std::vector<uint8_t> ReadBytes(const std::string& path);
// The folder of the generated JPEG pictures, with a trailing backslash.
std::string JpegFolder();

struct Bitmap {
    BITMAPINFOHEADER header{};
    std::vector<uint8_t> bits;   // rows bottom-up, as stored
    // Blue, green, red of pixel (x, y), row 0 the top.
    const uint8_t* Pixel(int x, int y) const;
};
// A BMP file (file header, info header, bits at the file header's offset); false when it is not one.
bool ReadBmp(const std::string& path, Bitmap* out);
// The packed bitmap of a global block (header, then the bits the header sizes).
Bitmap ViewOf(HGLOBAL block);

// One of the hand-over's decoders, run on data into a new bitmap of the given stored size.
using PictureReader = int (*)(const uint8_t* data, size_t size, const acquire::PictureBitmap& bitmap,
                              acquire::DecodeProgress* progress);
struct Decoded {
    int result;
    Bitmap bitmap;
};
Decoded DecodeWith(PictureReader read, const std::vector<uint8_t>& data, uint32_t width, uint32_t height,
                   uint16_t rotation = 0, acquire::DecodeProgress* progress = nullptr);

}  // namespace retrievaltest
