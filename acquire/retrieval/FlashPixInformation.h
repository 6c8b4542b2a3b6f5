// The FlashPix information reader of retrieval, through the image toolkit: the picture's size and
// colour, and its thumbnail (the summary information's, or the smallest resolution that covers
// a thumbnail).
#pragma once

#include "PictureReading.h"

namespace acquire {

// 0, kErrFlashPixRefused, kErrFlashPixLayout or kErrFlashPixDecode.
int ReadFlashPixInformation(const BYTE* data, size_t size, PictureReading* reading);

}  // namespace acquire
