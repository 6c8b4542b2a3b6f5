// Drawing the acquire module's pictures: the BMP files kept in pvres, and 96 x 72 thumbnails.
#pragma once

#include "PvresModule.h"

#include <windows.h>

#include <vector>

namespace acquire {

// The size of a BMP file held as a resource; 0 x 0 when it is not a whole, sound 24-bit file.
SIZE PictureSize(const ResourceBytes& file);
// Stretches the file's picture onto dest.
void DrawPicture(HDC dc, const ResourceBytes& file, const RECT& dest);
// A thumbnail's bottom-up blue-green-red rows at their size, with left, top as its corner.
void DrawThumbnail(HDC dc, const std::vector<BYTE>& pixels, int left, int top);

}  // namespace acquire
