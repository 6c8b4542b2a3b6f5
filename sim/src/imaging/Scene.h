// Deterministic picture content for the pictures the camera takes and the card generator writes:
// a sky, a sun, hills and a few coloured blocks, all chosen by the seed.
#pragma once

#include "Raster.h"

#include <cstdint>

namespace pvsim {

Raster paintScene(uint64_t seed, int width, int height);

// splitmix64: small, fast and the same everywhere.
class SeedSequence {
public:
    explicit SeedSequence(uint64_t seed) : state_(seed) {}
    uint64_t next();
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state_;
};

}  // namespace pvsim
