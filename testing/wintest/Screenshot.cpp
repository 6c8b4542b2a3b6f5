#include "Screenshot.h"

#include "Crc32.h"
#include "GdiObject.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <vector>

namespace dialogtest {
namespace {

using Bytes = std::vector<uint8_t>;

void PutBig32(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBig32(out, pv::Crc32(body.data(), body.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes StoredZlib(const Bytes& raw) {
    Bytes out = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t n = std::min<size_t>(raw.size() - pos, 65535);
        out.push_back(pos + n == raw.size() ? 1 : 0);
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(static_cast<uint8_t>(n >> 8));
        out.push_back(static_cast<uint8_t>(~n));
        out.push_back(static_cast<uint8_t>(~n >> 8));
        out.insert(out.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(out, (b << 16) | a);
    return out;
}

// rows: top-down, 3 bytes per pixel in blue-green-red order.
Bytes Png(int width, int height, const Bytes& bgr) {
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);   // no filter
        const uint8_t* row = bgr.data() + static_cast<size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) raw.insert(raw.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
    }
    Bytes header;
    PutBig32(header, width);
    PutBig32(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});   // 8-bit RGB
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});
    return png;
}

Bytes CaptureScreen(const RECT& area) {
    int width = area.right - area.left, height = area.bottom - area.top;
    pv::WindowDC screen(nullptr);
    pv::MemoryDC memory(screen.get());
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;   // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    pv::GdiBitmap bitmap(CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return {};
    pv::SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    GdiFlush();
    Bytes bgr;
    size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(bits) + y * stride;
        bgr.insert(bgr.end(), row, row + width * 3);
    }
    return bgr;
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM param) {
    if (!GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(param) = true;
    return FALSE;
}

bool Unpainted(HWND window) {
    bool unpainted = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!unpainted) EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return unpainted;
}

// Gives the display a moment. Waiting for messages rather than sleeping lets Wine put on the screen
// what this thread has drawn; nothing is taken from the queue.
void LetTheDisplayCatchUp(DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms;)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
}

// Repaints the window and its controls. A window of another thread paints when its message loop
// comes to it: wait (bounded) until nothing is left to paint, then give the display a moment.
void Repaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (int poll = 0; poll < 100 && Unpainted(window); ++poll) Sleep(20);
    LetTheDisplayCatchUp(100);
}

std::string ScreenshotFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\'));        // ...\bin
    folder.resize(folder.find_last_of('\\') + 1);    // the build tree
    folder += "screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

std::string SaveScreenshot(HWND window, const std::string& name) {
    return SaveScreenshotTo(window, ScreenshotFolder() + "\\" + name + ".png");
}

std::string SaveScreenshotTo(HWND window, const std::string& path) {
    RECT area = {};
    if (!GetWindowRect(window, &area) || area.right <= area.left || area.bottom <= area.top) return "";
    Repaint(window);
    Bytes png = Png(area.right - area.left, area.bottom - area.top, CaptureScreen(area));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return out ? path : "";
}

}  // namespace dialogtest
