#include "TileUpsampler.h"

#include "FpxIds.h"

#include <windows.h>

namespace nif {
namespace {

constexpr int kHalf = kTileSide / 2;

// The row filters are written for the compiler to vectorise, and are inlined into each build of
// the plane loop below.
#define NIF_ROW_FILTER [[gnu::always_inline]] inline

NIF_ROW_FILTER uint8_t Byte(int v) { return static_cast<uint8_t>(v); }

// Halved across: each input sample gives two outputs, leaning to its left and to its right
// neighbour. sums holds the row's samples (or, halved both ways, its column sums) at 1 to kHalf,
// the edge ones repeated at 0 and kHalf + 1; Scale and the biases round the two outputs.
template <int Scale, int LeftBias, int RightBias>
NIF_ROW_FILTER void Widen(const int16_t* sums, uint8_t* out) {
    for (int x = 0; x < kHalf; ++x) {
        const int nearer = 3 * sums[x + 1];
        out[2 * x] = Byte((nearer + sums[x] + LeftBias) >> Scale);
        out[2 * x + 1] = Byte((nearer + sums[x + 2] + RightBias) >> Scale);
    }
}

NIF_ROW_FILTER void WidenRow(const uint8_t* in, uint8_t* out) {
    int16_t sums[kHalf + 2];
    for (int x = 0; x < kHalf; ++x) sums[x + 1] = in[x];
    sums[0] = sums[1], sums[kHalf + 1] = sums[kHalf];
    Widen<2, 1, 2>(sums, out);
}

// Halved down: the output row lies a quarter of the way from the nearer input row to the
// further one (rounded down at halves for the upper output row, up for the lower).
NIF_ROW_FILTER void BlendRow(const uint8_t* nearer, const uint8_t* further, bool upper, uint8_t* out) {
    const int bias = upper ? 1 : 2;
    for (int x = 0; x < kTileSide; ++x) out[x] = Byte((3 * nearer[x] + further[x] + bias) >> 2);
}

// Halved both ways: column sums of the two rows (3 : 1) are widened, in sixteenths.
NIF_ROW_FILTER void BlendAndWidenRow(const uint8_t* nearer, const uint8_t* further, uint8_t* out) {
    int16_t sums[kHalf + 2];
    for (int x = 0; x < kHalf; ++x) sums[x + 1] = static_cast<int16_t>(3 * nearer[x] + further[x]);
    sums[0] = sums[1], sums[kHalf + 1] = sums[kHalf];
    Widen<4, 8, 7>(sums, out);
}

NIF_ROW_FILTER void UpsampleRows(const Plane& plane, uint8_t* out) {
    const bool wide = plane.width < kTileSide, tall = plane.height < kTileSide;
    for (int y = 0; y < kTileSide; ++y, out += kTileSide) {
        const int r = tall ? y / 2 : y;
        const uint8_t* nearer = plane.samples + r * plane.width;
        if (!tall) {
            WidenRow(nearer, out);
            continue;
        }
        const bool upper = y % 2 == 0;
        const int other = upper ? (r > 0 ? r - 1 : r) : (r + 1 < plane.height ? r + 1 : r);
        const uint8_t* further = plane.samples + other * plane.width;
        if (wide)
            BlendAndWidenRow(nearer, further, out);
        else
            BlendRow(nearer, further, upper, out);
    }
}

#undef NIF_ROW_FILTER

#if defined(__i386__)
// 32-bit processors need not have SSE2, which the vectorised rows want: it is asked for once.
__attribute__((target("sse2"))) void UpsampleWithSse2(const Plane& plane, uint8_t* out) { UpsampleRows(plane, out); }
void UpsampleWithoutSse2(const Plane& plane, uint8_t* out) { UpsampleRows(plane, out); }
#endif

}  // namespace

void UpsampleInto(const Plane& plane, uint8_t* out) {
#if defined(__i386__)
    static const auto upsample =
        IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) ? UpsampleWithSse2 : UpsampleWithoutSse2;
    upsample(plane, out);
#else
    UpsampleRows(plane, out);
#endif
}

}  // namespace nif
