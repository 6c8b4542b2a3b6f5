// The camera's 3456-byte thumbnail: a 96 x 72 colour mosaic of 4-bit samples, two to a byte (high
// nibble first), rows from the top. In each 2 x 2 block the upper-left sample is green, the
// upper-right red, the lower-left blue and the lower-right green.
#pragma once

#include "Raster.h"

#include "../wire/Bytes.h"

namespace pvsim {

constexpr size_t kMosaicSize = 3456;

Bytes mosaicOf(const Raster& picture);   // any size; reduced to 96 x 72 first

}  // namespace pvsim
