// Writes FlashPix image and view files for tests through the toolkit's storage and property
// classes: PhotoYCC, RGB or monochrome pixels, with or without opacity, in JPEG tiles with shared
// tables (chroma 2:1 both ways unless asked otherwise) or uncompressed.
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
    // One colour channel (photoYcc off) instead of three.
    bool monochrome = false;
};

// The JPEG streams of one level as written: the shared tables and each tile.
struct FpxLevelStreams {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> tables;
    std::vector<std::vector<uint8_t>> tiles;
};

// source: the colour channels (three, or one when monochrome) and, when it has one more, opacity
// (the colour channels premultiplied by it, as stored). Levels are halved (rounding up) down to
// 64 pixels or less, smallest first; streams, when given, receives each level's JPEG streams.
std::vector<uint8_t> WriteFpx(const Picture& source, const FpxWriteOptions& options,
                              std::vector<FpxLevelStreams>* streams = nullptr);
// A view of the picture with one transform: the picture is data object 1, the transform's result
// data object 2, which is not stored; "Global Info" names visibleOutput as what the view shows.
std::vector<uint8_t> WriteFpxView(const Picture& source, const FpxWriteOptions& options, bool secondViewClass,
                                  uint32_t visibleOutput);
// The level pictures that WriteFpx stores, smallest first, before any colour conversion.
std::vector<Picture> PyramidOf(const Picture& rgb);
// A FlashPix image whose "Image Contents" stream of streamSize bytes is made to ask for gigabytes
// while it is read: entries property values that overlap, each a vector that claims one element
// per byte left in the stream.
std::vector<uint8_t> CraftedPropertyFpx(size_t streamSize = size_t(1) << 20, uint32_t entries = 4096);
