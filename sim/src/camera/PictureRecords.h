// Records the camera derives from a picture file: the 256-byte picture information record and the
// 3456-byte thumbnail mosaic.
//   information: 2 format (3 JPEG, 4 FlashPix), 3 resolution, 4 quality, 12-15 time taken (camera
//   clock), 16-19 file size, 32 file name (zero-terminated); all big-endian.
#pragma once

#include "Camera.h"

namespace pvsim {

Bytes pictureInfoRecord(const Camera& cam, const Node& file);
// A file that cannot be decoded gives an even grey mosaic.
Bytes pictureThumbnail(const Camera& cam, const Node& file);

}  // namespace pvsim
