// The choosers' thumbnail box (1023): the thumbnail of the picture last selected, or the
// placeholder picture, stretched to the box.
#pragma once

#include <windows.h>

#include <vector>

namespace acquire {

// Draws pixels (96 x 72 bottom-up blue-green-red; empty for the placeholder) into the owner-drawn
// box, or an empty box while no picture is chosen (shown false).
void DrawThumbnailBox(const DRAWITEMSTRUCT& item, const std::vector<BYTE>& pixels, bool shown);

}  // namespace acquire
