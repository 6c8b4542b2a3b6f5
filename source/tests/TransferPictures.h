// The pictures the transfer tests compare with: the camera's stored files decoded on their own
// (libjpeg, the image toolkit) as top-down red-green-blue, and packed bitmaps read back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sourcetest {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;   // top-down, red-green-blue
    bool operator==(const RgbPicture&) const = default;
};

// Empty when the decoder refuses the file or finds it damaged; FlashPix pictures only with three
// colour channels, the acquire module's rule.
RgbPicture DecodeJpeg(const std::string& file);
RgbPicture DecodeFlashPix(const std::string& file);
// A packed 24-bit bottom-up bitmap (header first) as a picture; empty when it is none.
RgbPicture FromPacked(const BYTE* packed, size_t size);

// Pixels of a packed 24-bit bottom-up bitmap (header first) that differ from the picture; -1 when
// its header does not give the picture's size.
long DifferingPixels(const BYTE* packed, size_t size, const RgbPicture& picture);

}  // namespace sourcetest
