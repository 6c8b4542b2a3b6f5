// The picture of the camera's status panel on the settings page: a background, the indicators of
// the current settings and states, and a three-digit counter of the pictures that still fit.
#pragma once

#include "CameraStatusFields.h"

#include <windows.h>

#include <array>

// The glyphs of the counter's three places (hundreds first), -1 for a place left empty: the count
// capped at 999 without leading zeros, glyphs 11, 12, 13 for a full card, glyph 10 in every place
// without a card.
std::array<int, 3> CounterGlyphs(DWORD remaining, bool card);
// The bitmap resource of a glyph 0 to 13.
UINT GlyphBitmap(int glyph);

// Draws the panel with its top-left corner at origin; the indicators and counter only while the
// status is valid.
void DrawStatusPanel(HDC dc, POINT origin, const CameraStatusFields& status);
