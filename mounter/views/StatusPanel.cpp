#include "StatusPanel.h"

#include "GdiObject.h"
#include "MounterGlobals.h"
#include "PageResources.h"

namespace {

constexpr UINT kGlyphBitmaps[14] = {187, 188, 189, 190, 191, 192, 195, 194, 196, 193, 248, 249, 250, 251};
constexpr int kCounterX[3] = {192, 237, 282};
constexpr int kCounterY = 25;
constexpr int kNoCard = 10;
constexpr std::array<int, 3> kFullCard = {11, 12, 13};
constexpr int kIndicatorY = 40;
constexpr int kIndicatorStep = 24;

void DrawBitmap(HDC dc, UINT id, int x, int y) {
    pv::GdiBitmap bitmap(LoadBitmapA(mounter::ModuleInstance(), MAKEINTRESOURCEA(id)));
    if (!bitmap) return;
    BITMAP size = {};
    GetObjectA(bitmap.get(), sizeof size, &size);
    pv::MemoryDC source(dc);
    pv::SelectedObject selected(source.get(), bitmap.get());
    BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
}

// The indicators in their order on the panel; 0 where a state shows none.
std::array<UINT, 7> Indicators(const CameraStatusFields& status) {
    UINT quality = status.quality >= 1 && status.quality <= 3 ? IDB_QUALITY_FIRST + status.quality - 1 : 0;
    UINT flash = status.flash <= 4 ? IDB_FLASH_FIRST + status.flash : 0;
    UINT battery = status.mains ? 0 : status.battery == 0 ? IDB_BATTERY_FULL : status.battery == 1 ? IDB_BATTERY_LOW : 0;
    return {status.closeUp() ? UINT(IDB_CLOSEUP) : 0,
            status.selfTimer ? UINT(IDB_SELFTIMER) : 0,
            UINT(status.resolution == 1 ? IDB_RESOLUTION_HIGH : IDB_RESOLUTION_STANDARD),
            battery,
            UINT(status.card ? IDB_CARD_IN : IDB_CARD_OUT),
            quality,
            flash};
}

}  // namespace

std::array<int, 3> CounterGlyphs(DWORD remaining, bool card) {
    if (!card) return {kNoCard, kNoCard, kNoCard};
    if (remaining == 0) return kFullCard;
    int count = remaining > 999 ? 999 : static_cast<int>(remaining);
    int hundreds = count / 100;
    int tens = count / 10 % 10;
    return {hundreds != 0 ? hundreds : -1, hundreds != 0 || tens != 0 ? tens : -1, count % 10};
}

UINT GlyphBitmap(int glyph) { return kGlyphBitmaps[glyph]; }

void DrawStatusPanel(HDC dc, POINT origin, const CameraStatusFields& status) {
    DrawBitmap(dc, IDB_STATUS_PANEL, origin.x, origin.y);
    if (!status.valid) return;
    int x = origin.x + 12;
    for (UINT indicator : Indicators(status)) {
        if (indicator) DrawBitmap(dc, indicator, x, origin.y + kIndicatorY);
        x += kIndicatorStep;
    }
    std::array<int, 3> glyphs = CounterGlyphs(status.remaining, status.card);
    for (int place = 0; place < 3; ++place)
        if (glyphs[place] >= 0) DrawBitmap(dc, GlyphBitmap(glyphs[place]), origin.x + kCounterX[place], origin.y + kCounterY);
}
