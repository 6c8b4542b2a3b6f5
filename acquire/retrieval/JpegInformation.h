// The JPEG information reader of retrieval: the picture's size and colour, the camera's maker
// block, and the thumbnail (the camera's embedded one, or a reduced decode of the picture).
#pragma once

#include "PictureReading.h"

namespace acquire {

// 0, kErrJpegData (no JPEG, a broken camera block, undecodable data) or kErrJpegHeader.
int ReadJpegInformation(const BYTE* data, size_t size, PictureReading* reading);

}  // namespace acquire
