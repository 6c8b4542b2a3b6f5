// The camera's Exif APP1 segment (big-endian TIFF):
//   IFD0: Make, Model, pointer to the Exif IFD; next IFD is IFD1.
//   Exif IFD: StripOffsets/StripByteCounts of the thumbnail, ExifVersion, MakerNote.
//   MakerNote: the 48 fixed bytes, then a small IFD (width, height, StripOffsets, StripByteCounts).
//   IFD1: the 96 x 72 uncompressed RGB thumbnail (20736 bytes), as Exif readers expect it.
// All three StripOffsets point at the same strip; offsets count from the start of the TIFF header.
#pragma once

#include "MakerBlock.h"
#include "Raster.h"

namespace pvsim {

constexpr int kExifThumbWidth = 96;
constexpr int kExifThumbHeight = 72;

// The APP1 payload, starting with "Exif\0\0".
Bytes buildExifSegment(const PictureMeta& meta, const Raster& thumbnail96x72);

// The maker block of a JPEG file (searched in its Exif segment), if it has one the camera wrote.
std::optional<PictureMeta> readJpegMaker(const uint8_t* file, size_t size);

}  // namespace pvsim
