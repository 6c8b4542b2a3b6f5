// Pictures for the retrieval tests: the plain JPEG that the build makes with cjpeg, camera JPEG
// files built around it, FlashPix files of the imaging tests' writer, and comparing thumbnails.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace retrievaltest {

using Bytes = std::vector<BYTE>;

// 160 x 120: red left half, blue right half, green bottom quarter (made by cjpeg at build time).
Bytes PlainJpeg();
// The plain JPEG with an APP1 "Exif" segment after its start: IFD0 -> Exif IFD -> a maker block
// of 48 bytes followed by a directory whose tag 273 names the 96 x 72 RGB strip.
Bytes CameraJpeg(const Bytes& block, const Bytes& strip);
// A PV360 block keeping every rule.
Bytes Pv360Block();
// 96 x 72 pixels of red, green, blue, top row first: pixel (x, y) is (x, y, x + y).
Bytes StripPattern();

void WriteFile(const std::string& path, const Bytes& bytes);
Bytes ReadFile(const std::string& path);
// A fresh folder under the temporary folder.
std::string FreshFolder(const std::string& name);

// The mean difference of two thumbnails' samples; 255 when their sizes differ.
double MeanDifference(const Bytes& a, const Bytes& b);
// The thumbnail's pixel (x, y from the top) as blue, green, red.
Bytes ThumbnailPixel(const Bytes& thumbnail, int x, int y);

}  // namespace retrievaltest
