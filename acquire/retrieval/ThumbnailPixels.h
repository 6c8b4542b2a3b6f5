// Thumbnails of the acquire dialog: 96 x 72 pixels of blue, green, red in bottom-up rows (20736
// bytes), made from the pixels of any picture by taking the nearest pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace acquire {

constexpr int kThumbWidth = 96;
constexpr int kThumbHeight = 72;
constexpr size_t kThumbBytes = kThumbWidth * kThumbHeight * 3;

// Pixels of three bytes, rows stride bytes apart.
struct PixelSource {
    const BYTE* rows = nullptr;   // the first row stored
    int width = 0;
    int height = 0;
    size_t stride = 0;
    bool bottomUp = false;        // the first row stored is the picture's last
    bool redFirst = true;         // red, green, blue; else blue, green, red
};

std::vector<BYTE> MakeThumbnail(const PixelSource& source);

// For pictures that arrive a row at a time: the row of a picture height rows high (top row 0)
// that thumbnail row y (from the top) is taken from, and that row sampled into thumbnail row y of
// a kThumbBytes thumbnail.
inline int ThumbnailSourceRow(int y, int height) { return int(int64_t(y) * height / kThumbHeight); }
void SampleThumbnailRow(const BYTE* row, int width, bool redFirst, int y, BYTE* thumbnail);

}  // namespace acquire
