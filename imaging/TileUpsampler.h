// A JPEG tile's subsampled components brought to the full 64 x 64 with the triangle filter of
// libjpeg's fancy upsampling, so that a tile gives the same samples as when libjpeg upsamples
// it: each output sample weighs the nearer input 3/4 and the further one 1/4 in each halved
// direction, edges repeated, halves rounded up and down in turn.
#pragma once

#include <cstdint>

namespace nif {

// One subsampled component: width x height samples, rows width apart; each side is 64 or 32,
// and not both 64.
struct Plane {
    const uint8_t* samples;
    int width;
    int height;
};

// Writes the component as a 64 x 64 plane to out.
void UpsampleInto(const Plane& plane, uint8_t* out);

}  // namespace nif
