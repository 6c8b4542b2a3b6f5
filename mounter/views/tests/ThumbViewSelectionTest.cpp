// The thumbnail view's cells and selection: the card's pictures newest first at the places of the
// layout, clicks with Ctrl and Shift, the selection deferred on a selected cell, the rubber band,
// Select All and Invert Selection, and the status bar.
#include "ThumbViewFixture.h"

#include "GdiObject.h"

using namespace viewtest;

namespace {

using Names = std::vector<std::string>;

const Names kCardPictures = {"PV000010.JPG", "PV000009.FPX", "PV000008.JPG", "PV000007.FPX", "PV000006.JPG"};

class ThumbViewSelectionTest : public ThumbViewTest {
protected:
    void SetUp() override {
        ThumbViewTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
        ASSERT_GE(Columns(), 5) << "the card's pictures fill one row";
    }
    // A point of the view between the cells: below the first row, in no cell's reach.
    POINT Empty() const { return ToClient({CellOrigin(0).x, CellOrigin(0).y + CellHeight() + 7}); }
};

}  // namespace

TEST_F(ThumbViewSelectionTest, TheWindowAndItsCellsNewestFirst) {
    char name[64] = "";
    GetClassNameA(thumbs, name, sizeof name);
    EXPECT_STREQ("PV360_Mounter_Thumb_View", name);
    EXPECT_EQ(ContainerOf(browser->Frame()), GetParent(thumbs));
    EXPECT_EQ(DWORD(CS_DBLCLKS | CS_PARENTDC), DWORD(GetClassLongA(thumbs, GCL_STYLE)));
    DWORD style = DWORD(GetWindowLongA(thumbs, GWL_STYLE));
    DWORD wanted = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP;
    EXPECT_EQ(wanted, style & wanted);
    EXPECT_FALSE(IsWindowVisible(ListOf(browser->Frame()))) << "the list is hidden";
    EXPECT_EQ(kCardPictures, AllNames()) << "pictures only, newest first";
    EXPECT_EQ(Names{}, SelectedNames());
    for (int n = 0; n < 5; ++n) {
        ClickCell(n);
        EXPECT_EQ(Names{kCardPictures[n]}, SelectedNames()) << "cell " << n;
    }
    // The reach of a cell: its picture grown by 8 pixels, 13 below, and its label.
    POINT origin = CellOrigin(1);
    for (POINT inside : {POINT{origin.x + 11, origin.y}, POINT{origin.x + 19 + 96 + 7, origin.y + 8 + 72 + 12},
                         POINT{origin.x, origin.y + 93}, POINT{origin.x + 133, origin.y + CellHeight() - 1}}) {
        Click(ToClient(POINT{CellOrigin(0).x, CellOrigin(0).y + CellHeight() + 7}));
        Click(ToClient(inside));
        EXPECT_EQ(Names{kCardPictures[1]}, SelectedNames()) << inside.x << "," << inside.y;
    }
    for (POINT outside : {POINT{origin.x + 10, origin.y + 20}, POINT{origin.x - 1, origin.y + 100},
                          POINT{origin.x + 134, origin.y + 100}, POINT{origin.x + 60, origin.y + CellHeight()}}) {
        Click(ToClient(outside));
        EXPECT_EQ(Names{}, SelectedNames()) << outside.x << "," << outside.y;
    }
}

TEST_F(ThumbViewSelectionTest, ClicksWithControlAndShift) {
    ClickCell(1);
    ClickCell(3, MK_CONTROL);
    EXPECT_EQ((Names{kCardPictures[1], kCardPictures[3]}), SelectedNames());
    ClickCell(1, MK_CONTROL);
    ClickCell(1, MK_CONTROL);
    EXPECT_EQ((Names{kCardPictures[1], kCardPictures[3]}), SelectedNames())
        << "Ctrl on a selected cell toggles it at the button-up: off, then on again";
    ClickCell(2, MK_CONTROL);
    EXPECT_EQ((Names{kCardPictures[1], kCardPictures[2], kCardPictures[3]}), SelectedNames());
    ClickCell(4, MK_SHIFT);
    EXPECT_EQ((Names{kCardPictures[2], kCardPictures[3], kCardPictures[4]}), SelectedNames())
        << "Shift: the range from the anchor (the last Ctrl-click) alone";
    ClickCell(0, MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(kCardPictures, SelectedNames()) << "Ctrl+Shift adds the range from the anchor";
    Click(Empty(), MK_CONTROL);
    EXPECT_EQ(kCardPictures, SelectedNames()) << "Ctrl on empty space keeps the selection";
    Click(Empty());
    EXPECT_EQ(Names{}, SelectedNames());
    ClickCell(3, MK_SHIFT);
    EXPECT_EQ((Names{kCardPictures[2], kCardPictures[3]}), SelectedNames()) << "the anchor stays where it was";
}

TEST_F(ThumbViewSelectionTest, AClickOnASelectedCellWaitsForTheButtonUp) {
    SendMessageA(thumbs, WM_COMMAND, 1025, 0);
    POINT middle = ToClient(PictureMiddle(2));
    SendMessageA(thumbs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    EXPECT_EQ(kCardPictures, SelectedNames()) << "nothing changes at the button-down";
    SendMessageA(thumbs, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle.x, middle.y + 30));
    EXPECT_EQ(kCardPictures, SelectedNames()) << "an up and down move is no drag";
    SendMessageA(thumbs, WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y + 30));
    EXPECT_EQ(Names{kCardPictures[2]}, SelectedNames());
    SendMessageA(thumbs, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(middle.x, middle.y));
    EXPECT_EQ(Names{kCardPictures[2]}, SelectedNames());
}

TEST_F(ThumbViewSelectionTest, TheRubberBandSelectsWhatItMeets) {
    ClickCell(4);
    POINT start = Empty();
    POINT over = ToClient({CellOrigin(1).x + 10, CellOrigin(1).y + CellHeight() - 5});
    POINT further = ToClient({CellOrigin(3).x + 10, CellOrigin(1).y + CellHeight() - 5});
    SendMessageA(thumbs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    EXPECT_EQ(Names{}, SelectedNames()) << "a click on empty space clears the selection";
    EXPECT_EQ(thumbs, GetCapture()) << "the band holds the mouse";
    SendMessageA(thumbs, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(further.x, further.y));
    EXPECT_EQ((Names{kCardPictures[0], kCardPictures[1], kCardPictures[2], kCardPictures[3]}), SelectedNames());
    SendMessageA(thumbs, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    EXPECT_EQ((Names{kCardPictures[0], kCardPictures[1]}), SelectedNames()) << "cells the band left are deselected";
    SendMessageA(thumbs, WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ((Names{kCardPictures[0], kCardPictures[1]}), SelectedNames());
    EXPECT_EQ("2 object(s) selected", browser->StatusPart(0));
    SendMessageA(thumbs, WM_MOUSEMOVE, 0, MAKELPARAM(further.x, further.y));
    EXPECT_EQ((Names{kCardPictures[0], kCardPictures[1]}), SelectedNames()) << "the band has ended";
}

TEST_F(ThumbViewSelectionTest, SelectAllInvertAndTheStatusBar) {
    const std::string everything = std::to_string(Enumerate(CardFolder(), kAllItems).size()) + " object(s)";
    EXPECT_EQ(everything, browser->StatusPart(0)) << "every item of the card, with a cell or not";
    ClickCell(1);
    ClickCell(3, MK_CONTROL);
    SendMessageA(thumbs, WM_COMMAND, 1026, 0);
    EXPECT_EQ((Names{kCardPictures[0], kCardPictures[2], kCardPictures[4]}), SelectedNames());
    EXPECT_EQ("3 object(s) selected", browser->StatusPart(0));
    EXPECT_EQ("130KB", browser->StatusPart(1)) << "31318 + 72182 + 29824 bytes";
    Click(Empty());
    Key(WM_CHAR, 1);
    EXPECT_EQ(kCardPictures, SelectedNames()) << "Ctrl+A";
    SendMessageA(thumbs, WM_COMMAND, 1026, 0);
    EXPECT_EQ(Names{}, SelectedNames());
    EXPECT_EQ(everything, browser->StatusPart(0));
}

TEST_F(ThumbViewSelectionTest, SelectedCellsAreDrawnInTheHighlightColours) {
    ClickCell(1);
    ClientPixels screen = CaptureClient(thumbs);
    ASSERT_GT(screen.width, 0);
    for (int n = 0; n < 3; ++n) {
        POINT frame = ToClient({CellOrigin(n).x + 19 - 4, CellOrigin(n).y + 40});
        POINT gap = ToClient({CellOrigin(n).x + 5, CellOrigin(n).y + 40});
        DWORD wanted = Rgb(GetSysColor(n == 1 ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        EXPECT_EQ(wanted, screen.At(frame.x, frame.y)) << "the frame of cell " << n;
        EXPECT_EQ(Rgb(GetSysColor(COLOR_WINDOW)), screen.At(gap.x, gap.y)) << "outside the frame of cell " << n;
    }
}

namespace {

// The three lines of a label as an unselected cell without the focus shows them, drawn here with the
// icon title font into a bitmap of the label's size.
ClientPixels DrawnLabel(const std::vector<std::string>& lines, int width, int lineHeight) {
    LOGFONTA logFont = {};
    SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof logFont, &logFont, 0);
    pv::GdiFont font(CreateFontIndirectA(&logFont));
    pv::GdiBrush background(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    pv::WindowDC screen(nullptr);
    return DrawnPixels(screen.get(), width, 3 * lineHeight, [&](HDC dc) {
        pv::SelectedObject selectedFont(dc, font.get());
        RECT all = {0, 0, width, 3 * lineHeight};
        FillRect(dc, &all, background.get());
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        for (int i = 0; i < 3; ++i) {
            RECT line = {0, i * lineHeight, width, (i + 1) * lineHeight};
            DrawTextA(dc, lines[static_cast<size_t>(i)].c_str(), -1, &line,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    });
}

std::string ShortDateAndTime(const FILETIME& time) {
    SYSTEMTIME local = {};
    FileTimeToSystemTime(&time, &local);
    char date[64] = "", clock[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, clock, sizeof clock);
    return std::string(date) + " " + clock;
}

}  // namespace

TEST_F(ThumbViewSelectionTest, TheLabelShowsDateSizeAndName) {
    Pidl item = FindChild(CardFolder(), "PV000009.FPX", kAllItems);
    ASSERT_TRUE(item);
    const MounterItemId* id = itemid::FromIdList(item.get());
    ASSERT_TRUE(id);
    ASSERT_EQ(103936u, id->size);
    int lineHeight = FontHeight() + 5;
    ClientPixels wanted = DrawnLabel({ShortDateAndTime(id->time), "102KB", "PV000009.FPX"}, 134, lineHeight);
    ClientPixels screen = CaptureClient(thumbs);
    POINT label = ToClient({CellOrigin(1).x, CellOrigin(1).y + 93});
    ASSERT_GE(screen.height, label.y + wanted.height);
    int mismatches = 0, ink = 0;
    for (int y = 0; y < wanted.height; ++y)
        for (int x = 0; x < wanted.width; ++x) {
            mismatches += screen.At(label.x + x, label.y + y) != wanted.At(x, y) ? 1 : 0;
            ink += wanted.At(x, y) != Rgb(GetSysColor(COLOR_WINDOW)) ? 1 : 0;
        }
    EXPECT_GT(ink, 100) << "the lines have text";
    EXPECT_EQ(0, mismatches) << "of " << wanted.width * wanted.height << " pixels";
}
