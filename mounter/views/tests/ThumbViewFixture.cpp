#include "ThumbViewFixture.h"

#include "GdiObject.h"
#include "GlobalMemory.h"
#include "UniqueHandle.h"

namespace viewtest {

namespace {

constexpr int kColumnPitch = 154;

CLIPFORMAT ShellIdListFormat() { return static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Shell IDList Array")); }

FILETIME MinutesAfterNewestPicture(int minutes) {
    SYSTEMTIME newest = {};
    newest.wYear = 1998;
    newest.wMonth = 3;
    newest.wDay = 7;
    newest.wHour = 20;
    newest.wMinute = 33;
    newest.wSecond = 20;
    FILETIME local = {}, utc = {};
    SystemTimeToFileTime(&newest, &local);
    ULARGE_INTEGER time = {{local.dwLowDateTime, local.dwHighDateTime}};
    time.QuadPart += ULONGLONG(minutes) * 60 * 10000000;
    local = {time.LowPart, time.HighPart};
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

}  // namespace

DWORD Rgb(COLORREF colour) { return (DWORD(GetRValue(colour)) << 16) | (DWORD(GetGValue(colour)) << 8) | GetBValue(colour); }

ClientPixels DrawnPixels(HDC like, int width, int height, const std::function<void(HDC)>& draw) {
    ClientPixels drawn;
    pv::MemoryDC memory(like);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;   // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    pv::GdiBitmap bitmap(CreateDIBSection(like, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return drawn;
    {
        pv::SelectedObject selected(memory.get(), bitmap.get());
        draw(memory.get());
        GdiFlush();
    }
    drawn.width = width;
    drawn.height = height;
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    drawn.pixels.assign(pixels, pixels + size_t(width) * height);
    for (DWORD& pixel : drawn.pixels) pixel &= 0xFFFFFF;
    return drawn;
}

ClientPixels CaptureClient(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    pv::WindowDC dc(window);
    return DrawnPixels(dc.get(), client.right, client.bottom, [&](HDC memory) {
        BitBlt(memory, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
    });
}

void ThumbViewTest::OpenThumbnails(IShellFolder* folder) {
    browser = &NewBrowser();
    ASSERT_EQ(S_OK, OpenView(folder, *browser));
    ASSERT_EQ(S_OK, view->UIActivate(SVUIA_ACTIVATE_FOCUS));
    Command(*browser, 1032);
    thumbs = ThumbnailsOf(browser->Frame());
    ASSERT_TRUE(thumbs);
    ASSERT_TRUE(IsWindowVisible(thumbs));
    PumpMessages(50);
}

void ThumbViewTest::AddCardPictures(const std::vector<std::string>& names) {
    std::string source = CardPath("PCCARD/DCIMAGES/PV000006.JPG");
    for (size_t i = 0; i < names.size(); ++i) {
        std::string target = CardPath("PCCARD/DCIMAGES/" + names[i]);
        ASSERT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE)) << target;
        pv::UniqueHandle file(CreateFileA(target.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        FILETIME time = MinutesAfterNewestPicture(static_cast<int>(i) + 1);
        ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &time));
    }
}

int ThumbViewTest::FontHeight() const {
    LOGFONTA font = {};
    SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
    return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

int ThumbViewTest::Columns() const {
    RECT client = {};
    GetClientRect(thumbs, &client);
    return client.right / kColumnPitch > 1 ? client.right / kColumnPitch : 1;
}

POINT ThumbViewTest::CellOrigin(int n) const {
    return {(n % Columns()) * kColumnPitch + 20, (n / Columns()) * 3 * (FontHeight() + 41) + 20};
}

POINT ThumbViewTest::PictureMiddle(int n) const {
    POINT origin = CellOrigin(n);
    return {origin.x + 19 + 48, origin.y + 8 + 36};
}

POINT ThumbViewTest::ToClient(POINT point) const {
    return {point.x - Bar(SB_HORZ).nPos * 134 / 2, point.y - Bar(SB_VERT).nPos * CellHeight() / 2};
}

void ThumbViewTest::Click(POINT point, WPARAM keys) {
    SendMessageA(thumbs, WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageA(thumbs, WM_LBUTTONUP, keys, MAKELPARAM(point.x, point.y));
}

void ThumbViewTest::Key(UINT message, WPARAM key, LPARAM flags) { SendMessageA(thumbs, message, key, flags); }

std::vector<std::string> ThumbViewTest::SelectedNames() {
    std::vector<std::string> names;
    ComPtr<IDataObject> data;
    if (FAILED(view->GetItemObject(SVGIO_SELECTION, IID_IDataObject, data.putVoid()))) return {"<no data object>"};
    FORMATETC format = {ShellIdListFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) != S_OK) return names;
    {
        pv::LockedGlobal lock(medium.hGlobal);
        auto* array = lock.as<CIDA>();
        for (UINT i = 1; array && i <= array->cidl; ++i)
            names.push_back(itemid::NameOf(reinterpret_cast<LPCITEMIDLIST>(lock.as<BYTE>() + array->aoffset[i])));
    }
    ReleaseStgMedium(&medium);
    return names;
}

std::vector<std::string> ThumbViewTest::AllNames() {
    SendMessageA(thumbs, WM_COMMAND, 1025, 0);
    std::vector<std::string> names = SelectedNames();
    SendMessageA(thumbs, WM_COMMAND, 1026, 0);
    return names;
}

SCROLLINFO ThumbViewTest::Bar(int bar) const {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(thumbs, bar, &info);
    return info;
}

}  // namespace viewtest
