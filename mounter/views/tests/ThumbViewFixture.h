// The thumbnail view of the simulated card in the test browser, driven with mouse messages at the
// places where its cells lie, and read back through the shell view's selection and the screen.
#pragma once

#include "ViewFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace viewtest {

// What the screen shows of a window's client area, pixel by pixel (0x00RRGGBB).
struct ClientPixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
ClientPixels CaptureClient(HWND window);
// What draw puts into a bitmap of the given size made for a context like the given one.
ClientPixels DrawnPixels(HDC like, int width, int height, const std::function<void(HDC)>& draw);
DWORD Rgb(COLORREF colour);

class ThumbViewTest : public ShellViewTest {
protected:
    // Opens the folder's view in a new browser and switches it to thumbnails (command 1032).
    void OpenThumbnails(IShellFolder* folder);
    // Copies a picture of the card's own folder under new names, each with its own date (minutes after
    // the card's newest picture, in the order given).
    void AddCardPictures(const std::vector<std::string>& names);

    // The icon title font's absolute height, and the columns the view has.
    int FontHeight() const;
    int Columns() const;
    int CellHeight() const { return 93 + 3 * (FontHeight() + 5); }
    // The top-left corner of cell n in view coordinates, and the middle of its picture.
    POINT CellOrigin(int n) const;
    POINT PictureMiddle(int n) const;
    // Client coordinates of a view point at the current scroll positions.
    POINT ToClient(POINT view) const;

    // A button press and release at a client point with the given keys (MK_CONTROL, MK_SHIFT).
    void Click(POINT point, WPARAM keys = 0);
    void ClickCell(int n, WPARAM keys = 0) { Click(ToClient(PictureMiddle(n)), keys); }
    void Key(UINT message, WPARAM key, LPARAM flags = 0);

    // The names of the selected items as the shell view hands them to a host, in the view's order.
    std::vector<std::string> SelectedNames();
    std::vector<std::string> AllNames();
    SCROLLINFO Bar(int bar) const;

    TestBrowser* browser = nullptr;
    HWND thumbs = nullptr;
};

}  // namespace viewtest
