// The camera's 3456-byte thumbnail, a 96 x 72 colour mosaic of 4-bit samples (in each 2 x 2 block
// green, red above blue, green), as 96 x 72 pixels of blue, green, red in bottom-up rows.
#pragma once

#include <windows.h>

void MosaicToPixels(const BYTE* mosaic, BYTE* pixels);
