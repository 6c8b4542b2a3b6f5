// The camera's 3456-byte thumbnail as a 96 x 72 bitmap file.
#pragma once

#include <windows.h>

#include <string>

namespace pvcam {

// The thumbnail holds 6912 four-bit samples, high half first. They are shown here as a grey
// 96 x 72 picture (a sample a pixel), which is enough to recognise the picture.
bool WriteThumbnailBitmap(const BYTE* thumbnail, const std::string& file);

}  // namespace pvcam
