// The scroll bars of the thumbnail view, both counted in half cells: their ranges for the cells and
// the client area, the moves of the scroll bar codes, and the scroll offsets (pixels) that the
// view's drawing contexts take as their window origin.
#pragma once

#include <windows.h>

namespace thumbscroll {

// A bar's range 0 to max and its page; all 0 when everything fits.
struct Setting {
    int max = 0;
    int page = 0;
};
// columns against the columns that fit the client width.
Setting Horizontal(int columns, int clientWidth);
// rows against the rows that fit the client height, each a cell height and 20 pixels.
Setting Vertical(int rows, int clientHeight, int cellHeight);
// The position a scroll bar code moves to from position, clamped to 0 and max; position itself for
// the codes that move nothing (thumb tracking, end of scrolling).
int NextPosition(UINT code, int position, int thumb, const Setting& setting);

}  // namespace thumbscroll

class CThumbViewScrolling {
public:
    // Both bars at range, page and position 0, and no offset.
    void Reset(HWND window);
    // New ranges for the cells (cell: the first cell's size) and the client area.
    void Update(HWND window, int columns, int rows, SIZE cell);
    // A WM_HSCROLL (SB_HORZ) or WM_VSCROLL (SB_VERT) message; the window is invalidated.
    void Scroll(HWND window, int bar, UINT code, int thumb);
    POINT Offset() const { return m_offset; }

private:
    void Apply(HWND window, int bar, const thumbscroll::Setting& setting, int position);
    void FollowPositions(HWND window);

    thumbscroll::Setting m_settings[2];
    SIZE m_cell = {};
    POINT m_offset = {};
};
