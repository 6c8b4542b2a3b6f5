#include "SheetFixture.h"

#include "CameraSheet.h"
#include "DialogDriver.h"
#include "GdiObject.h"

#include <commctrl.h>

#include <cstdio>
#include <set>
#include <sstream>

namespace sheettest {
namespace {

// SetQuality, SetResolution, SetZoom, SetFlashMode, SetSelfTimer, SetExposureCompensation,
// SetFileFormat, SetClock.
const std::set<std::string> kSettingCodes = {"71", "36", "78", "72", "74", "80", "37", "75"};

// The pixels of a bitmap of the screen's kind, read back as 32-bit top-down rows.
ScreenArea PixelsOf(HDC dc, HBITMAP bitmap, int width, int height) {
    ScreenArea area;
    area.width = width;
    area.height = height;
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    area.pixels.resize(static_cast<size_t>(width) * height);
    GetDIBits(dc, bitmap, 0, height, area.pixels.data(), &format, DIB_RGB_COLORS);
    for (DWORD& pixel : area.pixels) pixel &= 0xFFFFFF;
    return area;
}

}  // namespace

ScreenArea CaptureScreen(const RECT& rect) {
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    pv::WindowDC screen(nullptr);
    pv::MemoryDC memory(screen.get());
    pv::GdiBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    {
        pv::SelectedObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    }
    return PixelsOf(memory.get(), bitmap.get(), width, height);
}

ScreenArea BitmapPixels(HINSTANCE module, UINT id) {
    pv::GdiBitmap bitmap(LoadBitmapA(module, MAKEINTRESOURCEA(id)));
    BITMAP size = {};
    if (!bitmap || !GetObjectA(bitmap.get(), sizeof size, &size)) return {};
    pv::WindowDC screen(nullptr);
    return PixelsOf(screen.get(), bitmap.get(), size.bmWidth, size.bmHeight);
}

std::vector<std::string> SettingBlocks(const std::string& transcript) {
    std::vector<std::string> blocks;
    std::istringstream segments(transcript);
    std::string segment;
    while (segments >> segment) {
        if (segment.rfind("H:", 0) != 0 || segment.size() != 2 + 16) continue;
        std::string block = segment.substr(2);
        if (kSettingCodes.count(block.substr(0, 2)) && block.substr(14) == "1A") blocks.push_back(block);
    }
    return blocks;
}

std::string SettingBlock(int code, int value) {
    char block[17];
    std::snprintf(block, sizeof block, "%02X00%02X000000001A", code, value);
    return block;
}

HWND ShowPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, index, 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void Click(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }

void Choose(HWND page, int id, const std::string& text) {
    dialogtest::SelectComboText(page, id, text);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

bool Apply(HWND sheet) { return SendMessageA(sheet, PSM_APPLY, 0, 0) != FALSE; }

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

void CameraSheetTest::SetUp() {
    MounterCameraTest::SetUp();
    folder = transfertest::MakeCardFolder();
    ASSERT_EQ(0, folder->ConnectCamera(1, nullptr));
}

INT_PTR CameraSheetTest::RunSheet(const std::function<void(HWND sheet)>& drive) {
    INT_PTR result = 0;
    {
        dialogtest::Watcher watcher([&] {
            HWND sheet = dialogtest::WaitForWindow(kCameraSheetCaption);
            EXPECT_NE(nullptr, sheet) << "the camera sheet did not show";
            if (!sheet) return;
            drive(sheet);
            if (IsWindow(sheet) && IsWindowVisible(sheet)) PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        });
        result = ShowCameraPropertySheet(folder.get(), nullptr);
    }
    return result;
}

int CameraSheetTest::SimStatusByte(size_t offset) {
    std::string reply = Sim("status");
    std::string record = reply.substr(reply.find_first_not_of(' '));
    return std::stoi(record.substr(offset * 2, 2), nullptr, 16);
}

}  // namespace sheettest
