#include "PictureFormat.h"

#include "DecodeCodes.h"

#include <algorithm>
#include <cctype>

namespace acquire {

int FormatOfFileName(const std::string& name) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    if (upper.find(".JPG") != std::string::npos) return kFormatJpeg;
    if (upper.find(".FPX") != std::string::npos) return kFormatFlashPix;
    return kErrUnknownFileType;
}

}  // namespace acquire
