// The status panel of the settings page as the screen shows it: each place of the counter of
// pictures remaining holds, pixel for pixel, the glyph bitmap of its digit, and without a card
// every place holds the no-card glyph.
#include "MounterGlobals.h"
#include "SheetFixture.h"

#include <algorithm>
#include <string>

namespace sheettest {
namespace {

// The glyph bitmaps: the digits 0 to 9, the no-card glyph, then the three of a full card.
constexpr UINT kGlyphBitmaps[14] = {187, 188, 189, 190, 191, 192, 195, 194, 196, 193, 248, 249, 250, 251};
constexpr int kPlaceX[3] = {192, 237, 282};
constexpr int kPlaceY = 25;
constexpr RECT kPanelDialogUnits = {7, 4, 227, 48};
constexpr size_t kRemainingBest = 68;   // Better at 70, Good at 72
constexpr size_t kQuality = 19;

// The panel's top-left corner on the screen.
POINT PanelOrigin(HWND page) {
    RECT panel = kPanelDialogUnits;
    MapDialogRect(page, &panel);
    POINT origin = {panel.left, panel.top};
    ClientToScreen(page, &origin);
    return origin;
}

// Whether the screen shows the glyph bitmap with its top-left corner at the point.
bool ShowsGlyph(POINT at, int glyph) {
    ScreenArea expected = BitmapPixels(mounter::ModuleInstance(), kGlyphBitmaps[glyph]);
    if (expected.pixels.empty()) return false;
    RECT rect = {at.x, at.y, at.x + expected.width, at.y + expected.height};
    return CaptureScreen(rect).pixels == expected.pixels;
}

// The glyph each place should show, hundreds first (-1: left empty), read from the count itself.
std::vector<int> ExpectedGlyphs(int remaining, bool card) {
    if (!card) return {10, 10, 10};
    if (remaining == 0) return {11, 12, 13};
    std::string digits = std::to_string(std::min(remaining, 999));
    std::vector<int> glyphs(3 - digits.size(), -1);
    for (char digit : digits) glyphs.push_back(digit - '0');
    return glyphs;
}

class StatusPanelTest : public CameraSheetTest {
protected:
    int Remaining() {
        size_t offset = kRemainingBest + 2 * (SimStatusByte(kQuality) - 1);
        return SimStatusByte(offset) * 256 + SimStatusByte(offset + 1);
    }
    // Shows the settings page and answers, for each place, whether it shows its expected glyph
    // (the page is given a while to paint).
    std::vector<bool> PlacesShown(const std::vector<int>& glyphs) {
        std::vector<bool> shown(3, false);
        RunSheet([&](HWND sheet) {
            HWND page = ShowPage(sheet, kSettingsPage);
            for (int poll = 0; poll < 100; ++poll) {
                UpdateWindow(page);
                POINT origin = PanelOrigin(page);
                for (int place = 0; place < 3; ++place)
                    shown[place] = glyphs[place] < 0 ||
                                   ShowsGlyph({origin.x + kPlaceX[place], origin.y + kPlaceY}, glyphs[place]);
                if (std::all_of(shown.begin(), shown.end(), [](bool b) { return b; })) return;
                Sleep(20);
            }
        });
        return shown;
    }
};

}  // namespace

TEST_F(StatusPanelTest, TheCounterShowsTheDigitGlyphsOfThePicturesRemaining) {
    int remaining = Remaining();
    ASSERT_GT(remaining, 0) << "the card has room";
    std::vector<int> glyphs = ExpectedGlyphs(remaining, true);
    EXPECT_EQ((std::vector<bool>{true, true, true}), PlacesShown(glyphs)) << remaining << " pictures remaining";
}

TEST_F(StatusPanelTest, WithoutACardEveryPlaceShowsTheNoCardGlyph) {
    Sim("card out");
    EXPECT_EQ((std::vector<bool>{true, true, true}), PlacesShown(ExpectedGlyphs(0, false)));
}

TEST_F(StatusPanelTest, AFullCardShowsItsThreeGlyphs) {
    Sim("card full");
    ASSERT_EQ(0, Remaining());
    EXPECT_EQ((std::vector<bool>{true, true, true}), PlacesShown(ExpectedGlyphs(0, true)));
}

}  // namespace sheettest
