// How the source describes the pending picture to the application: its image information (size,
// turned by the picture's rotation, and the pixel layout of the acquire module's image type) and
// the row length of its transfers.
#pragma once

#include "AcquireExports.h"
#include "TwainTypes.h"

namespace source {

// The size used when no picture is pending.
constexpr TW_INT32 kDefaultWidth = 1152;
constexpr TW_INT32 kDefaultLength = 864;
// The file of a file transfer that the application did not name.
constexpr char kDefaultFileName[] = "TWAIN.TMP";

// The image information of the picture, or of the default size when picture is null.
TW_IMAGEINFO DescribePicture(const PictureInfo* picture);

// Bytes of one row, padded to 4 bytes: ((BitsPerPixel x ImageWidth + 31) / 32) x 4.
inline TW_UINT32 BytesPerRow(const TW_IMAGEINFO& info) {
    return ((TW_UINT32(info.BitsPerPixel) * TW_UINT32(info.ImageWidth) + 31) / 32) * 4;
}

}  // namespace source
