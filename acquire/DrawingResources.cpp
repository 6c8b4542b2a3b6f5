#include "DrawingResources.h"

#include "FontSpec.h"
#include "PvresIds.h"

namespace acquire {
namespace {

bool FewColours() {
    pv::WindowDC screen(nullptr);
    return screen && GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES) <= 8;
}

HPALETTE MakePalette() {
    pv::WindowDC screen(nullptr);
    return CreateHalftonePalette(screen.get());
}

}  // namespace

DrawingResources::DrawingResources()
    : strip_(LoadBitmapA(PvresInstance(), MAKEINTRESOURCEA(IDB_PV_SMALL_STRIP))),
      selectionPen_(CreatePen(PS_SOLID, 2, RGB(255, 0, 0))),
      white_(CreateSolidBrush(RGB(255, 255, 255))),
      grey_(CreateSolidBrush(0xDADADA)),
      font_(CreateSpecFont(PvresString(IDS_PV_FONT_FACE), ParseFontSpec(PvresString(IDS_PV_FONT_SPEC)))),
      palette_(FewColours() ? MakePalette() : nullptr),
      placeholder_(PvresResource(IDP_PV_PLACEHOLDER, RT_PV_PICTURE)),
      background_(PvresResource(IDP_PV_BACKGROUND, RT_PV_PICTURE)) {}

}  // namespace acquire
