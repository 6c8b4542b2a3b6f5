// 8-bit RGB to FlashPix PhotoYCC. RGB is first shaped onto the extended range 0..342 by a tone
// curve (piecewise linear through 0:0 1:1 2:3 3:5 4:6 5:7 6:8 7:9 100:82 248:253 249:259 250:268
// 251:278 252:292 253:309 254:327 255:342), then
//   Y  =  0.22003 R + 0.43227 G + 0.08386 B
//   C1 = -0.13476 R - 0.26475 G + 0.39952 B + 156
//   C2 =  0.38491 R - 0.32237 G - 0.06254 B + 137
// rounded and limited to 0..255. Reading converts back with the inverse matrix and tone curve.
#pragma once

#include "Raster.h"

namespace pvsim {

Raster toPhotoYcc(const Raster& rgb);   // the three channels become Y, C1, C2

}  // namespace pvsim
