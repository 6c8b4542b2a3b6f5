#include "DialogDriver.h"

#include "GdiObject.h"
#include "UserObject.h"

#include "MounterGlobals.h"

namespace dialogtest {
namespace {

constexpr DWORD kPollMs = 20;

struct StaticSearch {
    std::string longest;
};

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0) return TRUE;
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof text);
    auto* search = reinterpret_cast<StaticSearch*>(param);
    if (strlen(text) > search->longest.size()) search->longest = text;
    return TRUE;
}

std::vector<BYTE> BitmapBits(HDC dc, HBITMAP bitmap) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {};
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;   // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    std::vector<BYTE> bits(static_cast<size_t>(info.bmWidth) * info.bmHeight * 4);
    GetDIBits(dc, bitmap, 0, info.bmHeight, bits.data(), &format, DIB_RGB_COLORS);
    return bits;
}

}  // namespace

HWND WaitForWindow(const char* title, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
        HWND window = FindWindowA(nullptr, title);
        DWORD process = 0;
        if (window) GetWindowThreadProcessId(window, &process);
        if (window && process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
        Sleep(kPollMs);
    }
    return nullptr;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        Sleep(kPollMs);
    }
    return false;
}

void ClickButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string ControlText(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool ControlEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::vector<ComboEntry> ComboEntries(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    std::vector<ComboEntry> entries;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back({text, static_cast<DWORD>(SendMessageA(combo, CB_GETITEMDATA, i, 0))});
    }
    return entries;
}

std::string ComboSelection(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return "";
    char text[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

void SelectComboText(HWND dialog, int id, const std::string& text) {
    SendDlgItemMessageA(dialog, id, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string LongestStaticText(HWND window) {
    StaticSearch search;
    EnumChildWindows(window, CollectStatic, reinterpret_cast<LPARAM>(&search));
    return search.longest;
}

std::vector<BYTE> IconPixels(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    pv::GdiBitmap colour(info.hbmColor), maskBits(info.hbmMask);
    pv::WindowDC screen(nullptr);
    std::vector<BYTE> pixels = BitmapBits(screen.get(), colour.get());
    std::vector<BYTE> mask = BitmapBits(screen.get(), maskBits.get());
    pixels.insert(pixels.end(), mask.begin(), mask.end());
    return pixels;
}

std::vector<BYTE> StateIconPixels(UINT id) {
    pv::UniqueIcon icon(static_cast<HICON>(
        LoadImageA(mounter::ModuleInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0)));
    return IconPixels(icon.get());
}

std::vector<BYTE> ShownIconPixels(HWND dialog, int id) {
    return IconPixels(reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, id, STM_GETICON, 0, 0)));
}

}  // namespace dialogtest
