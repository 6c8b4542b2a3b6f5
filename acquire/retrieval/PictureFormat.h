// The file format of a picture file, from its name.
#pragma once

#include <string>

namespace acquire {

// kFormatJpeg for a name containing ".JPG" (in any case), else kFormatFlashPix for one containing
// ".FPX", else kErrUnknownFileType.
int FormatOfFileName(const std::string& name);

}  // namespace acquire
