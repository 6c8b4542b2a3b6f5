// Walking one row of pixels whose three samples lie in three planes, storing each pixel through
// three destination channels, with a step that may change the samples on the way.
#pragma once

#include "NIFColorConv.h"

#include <cstdint>

namespace nif {

// Channels through their own pointers and pixel strides (the line stride is not used).
template <typename Step>
void WriteRowThroughChannels(const uint8_t* src, long plane, long width, const NIFChannel* out, Step step) {
    // Locals, so that the byte stores cannot be taken to change them.
    uint8_t* p0 = out[0].start;
    uint8_t* p1 = out[1].start;
    uint8_t* p2 = out[2].start;
    const long s0 = out[0].pixelStride, s1 = out[1].pixelStride, s2 = out[2].pixelStride;
    for (long x = 0; x < width; ++x, ++src, p0 += s0, p1 += s1, p2 += s2) {
        uint8_t a0 = src[0], a1 = src[plane], a2 = src[2 * plane];
        step(a0, a1, a2);
        *p0 = a0, *p1 = a1, *p2 = a2;
    }
}

// The same into pixels of three bytes whose channel k is at byte Ok: what a 24-bit bitmap
// asks for, with fewer pointers to keep.
template <int O0, int O1, int O2, typename Step>
void WriteRowOfPackedPixels(const uint8_t* src, long plane, long width, uint8_t* pixel, Step step) {
    const uint8_t* in1 = src + plane;
    const uint8_t* in2 = in1 + plane;
    for (long x = 0; x < width; ++x, pixel += 3) {
        uint8_t a0 = src[x], a1 = in1[x], a2 = in2[x];
        step(a0, a1, a2);
        pixel[O0] = a0, pixel[O1] = a1, pixel[O2] = a2;
    }
}

// Channels of three-byte pixels one after another in the given direction.
inline bool PackedPixels(const NIFChannel* out, int direction) {
    return out[0].pixelStride == 3 && out[1].pixelStride == 3 && out[2].pixelStride == 3 &&
           out[1].start == out[0].start + direction && out[2].start == out[1].start + direction;
}

// Pixel x of the row is src[x], src[x + plane] and src[x + 2 * plane].
template <typename Step>
void WriteRow(const uint8_t* src, long plane, long width, const NIFChannel out[3], Step step) {
    if (PackedPixels(out, 1))
        WriteRowOfPackedPixels<0, 1, 2>(src, plane, width, out[0].start, step);
    else if (PackedPixels(out, -1))
        WriteRowOfPackedPixels<2, 1, 0>(src, plane, width, out[2].start, step);
    else
        WriteRowThroughChannels(src, plane, width, out, step);
}

}  // namespace nif
