// "Capture" over the simulator: taking a picture and showing its thumbnail, the exposure, zoom,
// file format and clock written on Apply, deleting all pictures, and what a PV350 allows.
#include "CaptureChoices.h"
#include "CameraHandles.h"
#include "DialogDriver.h"
#include "GdiObject.h"
#include "GlobalMemory.h"
#include "MessageBoxAnswerer.h"
#include "PageResources.h"
#include "Screenshot.h"
#include "SheetFixture.h"
#include "ThumbNailImage.h"
#include "pvhost.h"

namespace sheettest {
namespace {

using dialogtest::ComboEntry;
using dialogtest::ControlEnabled;
using dialogtest::ControlText;

class CapturePageTest : public CameraSheetTest {
protected:
    int PicturesTaken() { return static_cast<int>(CameraGetStatusWord(folder->Session(), 56)); }
};

ScreenArea CaptureControl(HWND page, int id) {
    UpdateWindow(page);
    RECT rect;
    GetWindowRect(GetDlgItem(page, id), &rect);
    return CaptureScreen(rect);
}

// The thumbnail's pixel (x, y from the top) as 0x00RRGGBB.
DWORD ThumbnailPixel(const CThumbNailImage& image, int x, int y) {
    pv::LockedGlobal bits(image.Bitmap());
    const BYTE* row = bits.as<const BYTE>() + sizeof(BITMAPINFOHEADER) + (CThumbNailImage::kHeight - 1 - y) * CThumbNailImage::kRowBytes;
    const BYTE* pixel = row + 3 * x;
    return (DWORD(pixel[2]) << 16) | (DWORD(pixel[1]) << 8) | pixel[0];
}

// True when the area shows the thumbnail somewhere: every pixel of a grid over it matches.
bool ShowsThumbnail(const ScreenArea& area, const CThumbNailImage& image) {
    for (int top = 0; top + CThumbNailImage::kHeight <= area.height; ++top)
        for (int left = 0; left + CThumbNailImage::kWidth <= area.width; ++left) {
            bool all = true;
            for (int y = 0; all && y < CThumbNailImage::kHeight; y += 3)
                for (int x = 0; all && x < CThumbNailImage::kWidth; x += 3)
                    all = area.at(left + x, top + y) == ThumbnailPixel(image, x, y);
            if (all) return true;
        }
    return false;
}

}  // namespace

TEST_F(CapturePageTest, TakePictureShowsTheNewPictureAndItsThumbnail) {
    int taken = PicturesTaken();
    ScreenArea shown;
    std::string name, date;
    RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kCapturePage);
        EXPECT_EQ(std::to_string(taken), ControlText(page, IDC_PICTURES_TAKEN));
        EXPECT_EQ("", ControlText(page, IDC_PICTURE_NAME));
        Click(page, IDC_TAKE_PICTURE);
        EXPECT_EQ(std::to_string(taken + 1), ControlText(page, IDC_PICTURES_TAKEN));
        name = ControlText(page, IDC_PICTURE_NAME);
        date = ControlText(page, IDC_PICTURE_DATE);
        shown = CaptureControl(page, IDC_PICTURE_VIEW);
        EXPECT_NE("", dialogtest::SaveScreenshot(sheet, "camera_sheet_capture"));
    });
    ASSERT_EQ(taken + 1, PicturesTaken());
    EXPECT_TRUE(transfertest::Exists(CardPath("PCCARD/DCIMAGES/" + name))) << name;
    std::string expectedName;
    LONG time = folder->GetPictureInfoAt(taken, &expectedName);
    EXPECT_EQ(expectedName, name);
    EXPECT_EQ(CameraTimeText(static_cast<DWORD>(time)), date);
    mounter::CameraBuffer mosaic;
    ASSERT_EQ(1, folder->GetThumbnailByIndex(taken, mosaic.put()));
    CThumbNailImage expected(mosaic.get(), CThumbNailImage::kMosaicBytes);
    EXPECT_TRUE(ShowsThumbnail(shown, expected)) << "the Picture View shows the new picture's thumbnail";
}

TEST_F(CapturePageTest, TakePictureNeedsACardWithRoom) {
    int taken = PicturesTaken();
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kCapturePage);
        Sim("card full");
        Click(page, IDC_TAKE_PICTURE);
        Sim("card out");
        Click(page, IDC_TAKE_PICTURE);
        Click(page, IDC_DELETE_ALL);
    });
    std::vector<dialogtest::MessageBoxSeen> seen = answerer.Seen();
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ("The memory card is full.\nPlease delete one or more pictures or insert a different card.", seen[0].text);
    EXPECT_EQ("The Memory Card has been removed from the camera.\nPlease insert the card and try again.", seen[1].text);
    EXPECT_EQ(seen[1].text, seen[2].text);
    for (const auto& box : seen) EXPECT_EQ(UINT(MB_ICONSTOP), box.icon);
    Sim("card in");
    ASSERT_EQ(0, folder->RefreshCameraStatus());
    EXPECT_EQ(taken, PicturesTaken()) << "nothing taken";
}

TEST_F(CapturePageTest, ApplyWritesZoomExposureFormatAndClockInOrder) {
    int format = SimStatusByte(23);
    SYSTEMTIME before, after;
    Sim("transcript clear");
    RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kCapturePage);
        EXPECT_EQ(5u, dialogtest::ComboEntries(page, IDC_ZOOM_LIST).size());
        EXPECT_EQ(9u, dialogtest::ComboEntries(page, IDC_EXPOSURE_LIST).size());
        EXPECT_EQ("AUTO", dialogtest::ComboSelection(page, IDC_EXPOSURE_LIST));
        // Chosen in the reverse of the order in which they go to the camera.
        Click(page, IDC_SET_CLOCK);
        Click(page, format == 4 ? IDC_FORMAT_JPEG : IDC_FORMAT_FLASHPIX);
        Choose(page, IDC_EXPOSURE_LIST, "-1.5 EV");
        Choose(page, IDC_ZOOM_LIST, "41 mm");
        GetLocalTime(&before);
        EXPECT_TRUE(Apply(sheet));
        GetLocalTime(&after);
        EXPECT_FALSE(Checked(page, IDC_SET_CLOCK)) << "the clock is set once";
    });
    std::vector<std::string> blocks = SettingBlocks(Sim("transcript"));
    ASSERT_EQ(4u, blocks.size());
    EXPECT_EQ(SettingBlock(0x78, 2), blocks[0]);
    EXPECT_EQ(SettingBlock(0x80, 131), blocks[1]);
    EXPECT_EQ(SettingBlock(0x37, format == 4 ? 3 : 4), blocks[2]);
    ASSERT_EQ("75", blocks[3].substr(0, 2));
    DWORD clock = std::stoul(blocks[3].substr(4, 8), nullptr, 16);
    EXPECT_LE(CameraClockCount(before), clock);
    EXPECT_GE(CameraClockCount(after), clock);
    EXPECT_EQ(2, SimStatusByte(16) & 0x0F);
    EXPECT_EQ(131, SimStatusByte(21));
}

TEST_F(CapturePageTest, CloseUpShowsAsAnExtraDisabledZoomEntry) {
    ASSERT_EQ(1, folder->SetCameraZoom(5));
    ASSERT_EQ(1, folder->SetCameraExposure(130));
    RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kCapturePage);
        std::vector<ComboEntry> entries = dialogtest::ComboEntries(page, IDC_ZOOM_LIST);
        ASSERT_EQ(6u, entries.size());
        EXPECT_EQ((ComboEntry{"Close-Up", 5}), entries[5]);
        EXPECT_EQ("Close-Up", dialogtest::ComboSelection(page, IDC_ZOOM_LIST));
        EXPECT_FALSE(ControlEnabled(page, IDC_ZOOM_LIST));
        EXPECT_EQ("-1.0 EV", dialogtest::ComboSelection(page, IDC_EXPOSURE_LIST));
        HWND settings = ShowPage(sheet, kSettingsPage);
        Click(settings, IDC_CLOSEUP_OFF);
        EXPECT_TRUE(Apply(sheet));
        page = ShowPage(sheet, kCapturePage);
        EXPECT_EQ(5u, dialogtest::ComboEntries(page, IDC_ZOOM_LIST).size()) << "close-up off: the entry goes";
        EXPECT_EQ("29 mm", dialogtest::ComboSelection(page, IDC_ZOOM_LIST));
        EXPECT_TRUE(ControlEnabled(page, IDC_ZOOM_LIST));
    });
}

TEST_F(CapturePageTest, DeleteAllPicturesAfterConfirmation) {
    ASSERT_GT(PicturesTaken(), 0);
    {
        dialogtest::MessageBoxAnswerer no({"Delete Picture Files"}, IDNO);
        RunSheet([&](HWND sheet) { Click(ShowPage(sheet, kCapturePage), IDC_DELETE_ALL); });
        EXPECT_EQ(1u, no.Seen().size());
    }
    ASSERT_EQ(0, folder->RefreshCameraStatus());
    EXPECT_GT(PicturesTaken(), 0) << "No keeps the pictures";
    dialogtest::MessageBoxAnswerer yes({"Delete Picture Files"}, IDYES);
    RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kCapturePage);
        Click(page, IDC_DELETE_ALL);
        EXPECT_EQ("0", ControlText(page, IDC_PICTURES_TAKEN));
    });
    std::vector<dialogtest::MessageBoxSeen> seen = yes.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Picture files will be permanently deleted!\n Do you wish to continue?", seen[0].text);
    EXPECT_TRUE(seen[0].yesNo);
    ASSERT_EQ(0, folder->RefreshCameraStatus());
    EXPECT_EQ(0, PicturesTaken());
}

class Pv350SheetTest : public CameraSheetTest {
protected:
    std::string SimulatorArguments() const override { return "--no-throttle --model PV350"; }
};

TEST_F(CapturePageTest, DeleteSelectedPicturesIsNeitherShownNorReachable) {
    RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kCapturePage);
        HWND button = GetDlgItem(page, IDC_DELETE_SELECTED);
        ASSERT_TRUE(button) << "the page holds the button";
        EXPECT_EQ("Delete Selected Pictures...", ControlText(page, IDC_DELETE_SELECTED));
        EXPECT_FALSE(IsWindowVisible(button));
        EXPECT_FALSE(IsWindowEnabled(button));
        RECT rect;
        GetWindowRect(button, &rect);
        POINT middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ScreenToClient(page, &middle);
        EXPECT_NE(button, ChildWindowFromPointEx(page, middle, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED))
            << "a click there does not reach it";
        HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
        HWND stop = first;
        for (int step = 0; step < 64 && stop; ++step) {
            EXPECT_NE(button, stop) << "the Tab key does not reach it";
            stop = GetNextDlgTabItem(page, stop, FALSE);
            if (stop == first) break;
        }
    });
}

TEST_F(Pv350SheetTest, NoZoomAndNoCloseUp) {
    Sim("transcript clear");
    RunSheet([&](HWND sheet) {
        HWND settings = ShowPage(sheet, kSettingsPage);
        EXPECT_FALSE(ControlEnabled(settings, IDC_CLOSEUP_ON));
        EXPECT_FALSE(ControlEnabled(settings, IDC_CLOSEUP_OFF));
        EXPECT_FALSE(ControlEnabled(settings, IDC_CLOSEUP_BOX));
        HWND page = ShowPage(sheet, kCapturePage);
        EXPECT_TRUE(dialogtest::ComboEntries(page, IDC_ZOOM_LIST).empty());
        EXPECT_FALSE(ControlEnabled(page, IDC_ZOOM_LIST));
        EXPECT_TRUE(ControlEnabled(page, IDC_EXPOSURE_LIST));
        EXPECT_NE("", dialogtest::SaveScreenshot(sheet, "camera_sheet_capture_pv350"));
        Choose(page, IDC_EXPOSURE_LIST, "+0.5 EV");
        EXPECT_TRUE(Apply(sheet));
    });
    EXPECT_EQ((std::vector<std::string>{SettingBlock(0x80, 1)}), SettingBlocks(Sim("transcript")));
}

}  // namespace sheettest
