#include "ColorRowSse2.h"

#include "DecodedTile.h"

#include <emmintrin.h>

namespace nif {
namespace {

constexpr int kLaneBits = 21;
constexpr uint32_t kLaneMask = (1u << kLaneBits) - 1;

// Plane: the distance between a pixel's samples when it is known here (the tile decoder's
// planes); otherwise 0 and plane says it.
template <int O0, int O2, long Plane>
void ConvertRow(const uint64_t (*packed)[256], const uint8_t* outBytes, const uint8_t* src, long plane, long width,
                uint8_t* pixel) {
    if (Plane) plane = Plane;
    for (const uint8_t* end = src + width; src != end; ++src, pixel += 3) {
        __m128i sums = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&packed[0][src[0]]));
        sums = _mm_add_epi64(sums, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&packed[1][src[plane]])));
        sums = _mm_add_epi64(sums, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&packed[2][src[2 * plane]])));
        const uint32_t lane0 = static_cast<uint32_t>(_mm_cvtsi128_si32(sums)) & kLaneMask;
        const uint32_t lane1 = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_epi64(sums, kLaneBits))) & kLaneMask;
        const uint32_t lane2 = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_epi64(sums, 2 * kLaneBits)));
        pixel[O0] = outBytes[lane0 >> 5];
        pixel[1] = outBytes[lane1 >> 5];
        pixel[O2] = outBytes[lane2 >> 5];
    }
}

template <int O0, int O2>
void ConvertRow(const uint64_t (*packed)[256], const uint8_t* outBytes, const uint8_t* src, long plane, long width,
                uint8_t* pixel) {
    if (plane == kTilePlane)
        ConvertRow<O0, O2, kTilePlane>(packed, outBytes, src, plane, width, pixel);
    else
        ConvertRow<O0, O2, 0>(packed, outBytes, src, plane, width, pixel);
}

}  // namespace

void ConvertRowWithSse2(const uint64_t (*packed)[256], const uint8_t* outBytes, const uint8_t* src, long plane,
                        long width, uint8_t* pixel, bool reversed) {
    if (reversed)
        ConvertRow<2, 0>(packed, outBytes, src, plane, width, pixel);
    else
        ConvertRow<0, 2>(packed, outBytes, src, plane, width, pixel);
}

}  // namespace nif
