// Writes FlashPix image files for tests through the toolkit's storage and property classes:
// PhotoYCC or RGB pixels, JPEG tiles with shared tables (chroma 2:1 both ways unless asked
// otherwise) or uncompressed.
#pragma once

#include "TestFiles.h"

struct FpxWriteOptions {
    bool jpeg = true;
    bool photoYcc = true;
    int quality = 90;
    // Sampling factors of the first channel against the other two (1 or 2 each).
    int lumaH = 2;
    int lumaV = 2;
    // RGB tiles that libjpeg turns into YCbCr and back (the sub-type's colour conversion flag).
    bool internalConversion = false;
    // This tile of every level (in row order), when there, carries tables of its own, made at
    // half the quality.
    int ownTablesTile = -1;
};

// The JPEG streams of one level as written: the shared tables and each tile.
struct FpxLevelStreams {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> tables;
    std::vector<std::vector<uint8_t>> tiles;
};

// rgb: 3-channel source pixels. Levels are halved (rounding up) down to 64 pixels or less,
// smallest first; streams, when given, receives each level's JPEG streams.
std::vector<uint8_t> WriteFpx(const Picture& rgb, const FpxWriteOptions& options,
                              std::vector<FpxLevelStreams>* streams = nullptr);
// The level pictures that WriteFpx stores, smallest first, before any colour conversion.
std::vector<Picture> PyramidOf(const Picture& rgb);
