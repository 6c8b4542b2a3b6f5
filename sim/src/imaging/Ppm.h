// Binary PPM (P6, 8-bit) of a picture: the source pixels that the card generator's pictures are
// made from, for tools that compare a decode with them.
#pragma once

#include "Raster.h"

#include "../wire/Bytes.h"

namespace pvsim {

Bytes encodePpm(const Raster& picture);

}  // namespace pvsim
