// The colour converter's row of packed pixels with SSE2, for 32-bit processors: they add the
// converter's 64-bit sums in halves and are short of registers for them. Built only for them,
// and called only when the processor has SSE2.
#pragma once

#include <cstdint>

namespace nif {

// The converter's tables (see NIFColorConv.h): packed[j][a] for input j and byte a, in lanes
// of 21 bits, and outBytes indexed by a lane shifted down by 5. Pixel x of the row is src[x],
// src[x + plane] and src[x + 2 * plane]; it goes to three bytes at pixel + 3 * x, channel 0
// first, or channel 2 first when reversed.
void ConvertRowWithSse2(const uint64_t (*packed)[256], const uint8_t* outBytes, const uint8_t* src, long plane,
                        long width, uint8_t* pixel, bool reversed);

}  // namespace nif
