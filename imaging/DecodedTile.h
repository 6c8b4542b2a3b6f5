// A decoded tile as the decoder leaves it and the cache keeps it: one plane of 64 x 64 samples
// per channel, channel after channel, rows top-down.
#pragma once

#include "FpxIds.h"

#include <cstddef>

namespace nif {

constexpr int kTilePlane = kTileSide * kTileSide;

constexpr size_t DecodedTileBytes(int channels) { return size_t(kTilePlane) * channels; }

}  // namespace nif
