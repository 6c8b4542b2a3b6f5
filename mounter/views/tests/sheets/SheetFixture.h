// The camera's property sheet over the simulator: the memory card folder connected, the sheet shown
// modally on the test's thread while a watcher thread drives its pages with messages, and the
// setting commands read back from the simulator's transcript.
#pragma once

#include "MounterFixture.h"
#include "TransferSupport.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace sheettest {

constexpr char kCameraSheetCaption[] = "ORVIK PV350 / PV360 Zoom Camera Properties";
constexpr int kSettingsPage = 0;
constexpr int kCapturePage = 1;

// The setting commands among the host's command blocks of a transcript, as 16 hex digits each, in
// the order they went to the camera.
std::vector<std::string> SettingBlocks(const std::string& transcript);
// The command block of a setting command with a one-byte value.
std::string SettingBlock(int code, int value);

// Page handling from the watcher thread.
HWND ShowPage(HWND sheet, int index);
// A click on a button of the page, as the mouse gives it.
void Click(HWND page, int id);
// Chooses an entry of a drop-down list by its text, telling the page as a user's choice does.
void Choose(HWND page, int id, const std::string& text);
// Apply as the sheet's button does: true when every page took it.
bool Apply(HWND sheet);
bool Checked(HWND page, int id);

// What the screen shows of a rectangle (screen coordinates), as 0x00RRGGBB pixels by rows.
struct ScreenArea {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    DWORD at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
ScreenArea CaptureScreen(const RECT& rect);
// The pixels of a bitmap resource of the module, as it holds them.
ScreenArea BitmapPixels(HINSTANCE module, UINT id);

class CameraSheetTest : public MounterCameraTest {
protected:
    void SetUp() override;
    // Shows the camera sheet and runs drive with it on a watcher thread; the sheet is cancelled
    // after drive unless drive closed it. Answers the sheet's result.
    INT_PTR RunSheet(const std::function<void(HWND sheet)>& drive);
    int SimStatusByte(size_t offset);

    transfertest::FolderPtr folder;
};

}  // namespace sheettest
