// What the information readers find in a stored picture: its size, colour, format and a 96 x 72
// thumbnail (bottom-up rows of blue, green, red; empty when none could be made).
#pragma once

#include "DecodeCodes.h"
#include "MakerNote.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace acquire {

struct PictureReading {
    uint32_t width = 0;
    uint32_t height = 0;
    bool colour = true;
    int format = 0;                     // kFormatJpeg or kFormatFlashPix
    std::vector<BYTE> thumbnail;
    std::optional<MakerNote> maker;     // the camera's block of a JPEG file
};

}  // namespace acquire
