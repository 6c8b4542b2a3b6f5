// "Camera Settings" over the simulator: what the page shows of the camera's settings and states,
// the order and values Apply writes, and a setting the camera refuses.
#include "DialogDriver.h"
#include "MessageBoxAnswerer.h"
#include "PageResources.h"
#include "Screenshot.h"
#include "SheetFixture.h"

namespace sheettest {
namespace {

constexpr int kQuality = 0x71, kResolution = 0x36, kZoom = 0x78, kFlash = 0x72, kSelfTimer = 0x74;

using dialogtest::ControlEnabled;

class SettingsPageTest : public CameraSheetTest {};

// The enabled battery and card labels of the settings page.
struct States {
    bool full, low, mains, inserted, removed;
    bool operator==(const States&) const = default;
};

States ShownStates(HWND page) {
    return {ControlEnabled(page, IDC_BATTERY_FULL), ControlEnabled(page, IDC_BATTERY_LOW),
            ControlEnabled(page, IDC_AC_POWER), ControlEnabled(page, IDC_CARD_INSERTED),
            ControlEnabled(page, IDC_CARD_REMOVED)};
}

}  // namespace

TEST_F(SettingsPageTest, ShowsTheCameraSettings) {
    int quality = SimStatusByte(19), resolution = SimStatusByte(22), flash = SimStatusByte(20);
    RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kSettingsPage);
        const int qualityIds[] = {IDC_QUALITY_BEST, IDC_QUALITY_BETTER, IDC_QUALITY_GOOD};
        EXPECT_TRUE(Checked(page, qualityIds[quality - 1])) << "quality " << quality;
        EXPECT_TRUE(Checked(page, resolution == 1 ? IDC_RESOLUTION_HIGH : IDC_RESOLUTION_STANDARD));
        EXPECT_TRUE(Checked(page, IDC_FLASH_AUTO + flash)) << "flash " << flash;
        EXPECT_TRUE(Checked(page, IDC_CLOSEUP_OFF));
        EXPECT_TRUE(Checked(page, IDC_SELFTIMER_OFF));
        EXPECT_TRUE(ControlEnabled(page, IDC_CLOSEUP_ON)) << "a PV360 has close-up";
        EXPECT_TRUE(ControlEnabled(page, IDC_REDEYE_FILL)) << "red-eye while close-up is off";
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_VERSION_LABEL)));
        SendMessageA(page, WM_RBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_VERSION_LABEL))) << "a right double click shows the version";
        SendMessageA(page, WM_RBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_VERSION_LABEL)));
        EXPECT_NE("", dialogtest::SaveScreenshot(sheet, "camera_sheet_settings"));
    });
}

TEST_F(SettingsPageTest, BatteryMainsAndCardStatesFollowTheCamera) {
    Sim("mains off");
    Sim("battery low");
    RunSheet([&](HWND sheet) { EXPECT_EQ((States{false, true, false, true, false}), ShownStates(ShowPage(sheet, kSettingsPage))); });
    Sim("mains on");
    Sim("card out");
    RunSheet([&](HWND sheet) {
        EXPECT_EQ((States{false, false, true, false, true}), ShownStates(ShowPage(sheet, kSettingsPage)));
        EXPECT_NE("", dialogtest::SaveScreenshot(sheet, "camera_sheet_settings_no_card"));
    });
    Sim("mains off");
    Sim("battery exhausted");
    Sim("card in");
    RunSheet([&](HWND sheet) { EXPECT_EQ((States{false, false, false, true, false}), ShownStates(ShowPage(sheet, kSettingsPage))); });
    Sim("battery full");
    RunSheet([&](HWND sheet) { EXPECT_EQ((States{true, false, false, true, false}), ShownStates(ShowPage(sheet, kSettingsPage))); });
}

TEST_F(SettingsPageTest, ApplyWritesTheChangedGroupsInTheirOrder) {
    int resolution = SimStatusByte(22);
    Sim("transcript clear");
    RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kSettingsPage);
        // Clicked in the reverse of the order in which they go to the camera.
        Click(page, IDC_SELFTIMER_ON);
        Click(page, IDC_FLASH_OFF);
        Click(page, IDC_CLOSEUP_ON);
        Click(page, resolution == 1 ? IDC_RESOLUTION_STANDARD : IDC_RESOLUTION_HIGH);
        Click(page, IDC_QUALITY_GOOD);
        EXPECT_FALSE(ControlEnabled(page, IDC_REDEYE_AUTO)) << "no red-eye with close-up";
        EXPECT_TRUE(Apply(sheet));
        EXPECT_TRUE(Apply(sheet)) << "a second Apply has nothing left to write";
    });
    std::vector<std::string> expected = {SettingBlock(kQuality, 3), SettingBlock(kResolution, resolution == 1 ? 0 : 1),
                                         SettingBlock(kZoom, 5), SettingBlock(kFlash, 2), SettingBlock(kSelfTimer, 1)};
    EXPECT_EQ(expected, SettingBlocks(Sim("transcript")));
    EXPECT_EQ(3, SimStatusByte(19));
    EXPECT_EQ(5, SimStatusByte(16) & 0x0F);
    EXPECT_EQ(2, SimStatusByte(20));
    EXPECT_EQ(1, SimStatusByte(29));
}

TEST_F(SettingsPageTest, CloseUpTurnsRedEyeFillIntoFillAndWritesBoth) {
    Sim("transcript clear");
    RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kSettingsPage);
        Click(page, IDC_REDEYE_FILL);
        Click(page, IDC_CLOSEUP_ON);
        EXPECT_TRUE(Checked(page, IDC_FLASH_FILL));
        EXPECT_FALSE(Checked(page, IDC_REDEYE_FILL));
        EXPECT_FALSE(ControlEnabled(page, IDC_REDEYE_FILL));
        Click(page, IDC_CLOSEUP_OFF);
        EXPECT_TRUE(ControlEnabled(page, IDC_REDEYE_FILL)) << "red-eye again with close-up off";
        Click(page, IDC_CLOSEUP_ON);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        EXPECT_TRUE(dialogtest::WaitUntilGone(sheet));
    });
    EXPECT_EQ((std::vector<std::string>{SettingBlock(kZoom, 5), SettingBlock(kFlash, 1)}), SettingBlocks(Sim("transcript")));
}

TEST_F(SettingsPageTest, AnUnchangedPageWritesNothing) {
    Sim("transcript clear");
    INT_PTR result = RunSheet([&](HWND sheet) {
        ShowPage(sheet, kCapturePage);
        ShowPage(sheet, kSettingsPage);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        EXPECT_TRUE(dialogtest::WaitUntilGone(sheet));
    });
    EXPECT_GT(result, 0) << "OK";
    EXPECT_TRUE(SettingBlocks(Sim("transcript")).empty());
}

TEST_F(SettingsPageTest, ARefusedSettingStopsApplyAndKeepsTheRestMarked) {
    int resolution = SimStatusByte(22);
    int newResolution = resolution == 1 ? 0 : 1;
    Sim("fault reject 36");
    Sim("transcript clear");
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kSettingsPage);
        Click(page, IDC_QUALITY_BETTER);
        Click(page, newResolution == 1 ? IDC_RESOLUTION_HIGH : IDC_RESOLUTION_STANDARD);
        Click(page, IDC_SELFTIMER_ON);
        EXPECT_FALSE(Apply(sheet)) << "the sheet stays open";
        EXPECT_TRUE(IsWindowVisible(sheet));
        Sim("fault clear");
        EXPECT_TRUE(Apply(sheet));
    });
    std::vector<dialogtest::MessageBoxSeen> seen = answerer.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(0u, seen[0].text.find("Cannot find the Camera.")) << seen[0].text;
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
    // The refused resolution is sent again with the self-timer; the quality was taken the first time.
    std::vector<std::string> expected = {SettingBlock(kQuality, 2), SettingBlock(kResolution, newResolution),
                                         SettingBlock(kResolution, newResolution), SettingBlock(kSelfTimer, 1)};
    EXPECT_EQ(expected, SettingBlocks(Sim("transcript")));
    EXPECT_EQ(newResolution, SimStatusByte(22));
}

}  // namespace sheettest

namespace sheettest {

// "Communication Settings..." opens the serial dialog over the page; its Cancel keeps the sheet
// while the camera is still connected and ends the sheet as cancelled once it is not.
TEST_F(SettingsPageTest, CommunicationSettingsCancelEndsTheSheetOnlyWithoutTheCamera) {
    auto cancelSerialDialog = [](HWND page) {
        dialogtest::ClickButton(page, IDC_COMM_SETTINGS);
        HWND dialog = dialogtest::WaitForWindow("Communications Settings");
        EXPECT_NE(nullptr, dialog);
        if (!dialog) return;
        dialogtest::ClickButton(dialog, IDCANCEL);
        EXPECT_TRUE(dialogtest::WaitUntilGone(dialog));
    };
    bool stayed = false;
    INT_PTR result = RunSheet([&](HWND sheet) {
        HWND page = ShowPage(sheet, kSettingsPage);
        cancelSerialDialog(page);
        stayed = IsWindowVisible(sheet) && SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
        folder->CloseCamera();   // the camera is gone while the sheet is idle
        cancelSerialDialog(page);
        EXPECT_TRUE(dialogtest::WaitUntilGone(sheet)) << "the sheet ends with the connection";
    });
    EXPECT_TRUE(stayed) << "still connected: the sheet stays";
    EXPECT_EQ(0, result) << "ended as cancelled";
}

}  // namespace sheettest
