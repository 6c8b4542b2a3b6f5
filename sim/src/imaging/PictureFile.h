// Picture files in the camera's two formats, written from pixels and read back for the picture
// information and the thumbnail the camera serves.
#pragma once

#include "MakerBlock.h"
#include "Raster.h"

#include <optional>
#include <string>

namespace pvsim {

// A JPEG (meta.format 3) or FlashPix (4) file of the picture; `name` titles a FlashPix file.
Bytes writePicture(const Raster& picture, const PictureMeta& meta, const std::string& name);

struct PictureFacts {
    PictureMeta meta;
    Raster preview;   // reduced picture, at least 96 pixels wide when the file allows
};

// Nothing when the file is neither a JPEG nor a FlashPix picture that can be read.
std::optional<PictureFacts> readPicture(const Bytes& file);

}  // namespace pvsim
