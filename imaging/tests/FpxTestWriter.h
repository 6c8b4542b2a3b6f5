// Writes FlashPix image files for tests through the toolkit's storage and property classes:
// PhotoYCC or RGB pixels, JPEG tiles with shared tables (chroma 2:1 both ways) or uncompressed.
#pragma once

#include "TestFiles.h"

struct FpxWriteOptions {
    bool jpeg = true;
    bool photoYcc = true;
    int quality = 90;
};

// rgb: 3-channel source pixels. Levels are halved (rounding up) down to 64 pixels or less.
std::vector<uint8_t> WriteFpx(const Picture& rgb, const FpxWriteOptions& options);
// The level pictures that WriteFpx stores, smallest first, before any colour conversion.
std::vector<Picture> PyramidOf(const Picture& rgb);
