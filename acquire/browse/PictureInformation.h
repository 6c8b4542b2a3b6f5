// The "Picture Information" box (141) of a retrieved picture: camera pictures fill every field,
// disk pictures their name, resolution, size and format ("Unknown" in the others).
#pragma once

#include "PictureEntry.h"

#include <array>
#include <string>

namespace acquire {

// The texts of fields 300 to 309, in that order.
std::array<std::string, 10> PictureInformationTexts(const PictureEntry& picture);
// "%d" or "1/%d" of the exposure table (microseconds); empty for none.
std::string ExposureText(int64_t microseconds);
// "%lu,%03lu": thousands, then the rest.
std::string SizeText(uint32_t bytes);

void ShowPictureInformation(const PictureEntry& picture, HWND owner);

}  // namespace acquire
