// The acquire dialog's picture area: the retrieved pictures as thumbnails in rows over the
// background picture, each in a cell with its number, scrolled a row at a time.
#pragma once

#include "DrawingResources.h"
#include "PictureEntry.h"

#include <windows.h>

#include <vector>

namespace acquire {

class ThumbnailArea {
public:
    static constexpr int kCellWidth = 104, kCellHeight = 100, kGap = 6;

    // The area control and its scroll bar, within the dialog.
    void Attach(HWND dialog, int areaId, int scrollId);
    void Paint(const DRAWITEMSTRUCT& item, const std::vector<PictureEntry>& pictures, const DrawingResources& drawing) const;
    // The picture under a point of the dialog's client area: its index, or -1.
    int HitTest(POINT dialogPoint, size_t count) const;
    bool Contains(POINT dialogPoint) const { return PtInRect(&area_, dialogPoint) != FALSE; }
    void UpdateScrollBar(size_t count);
    // A WM_VSCROLL of the scroll bar.
    void Scroll(int request, size_t count);
    void Redraw() const { InvalidateRect(control_, nullptr, FALSE); }

    int columns() const;
    // A cell's rectangle in the area's own coordinates.
    RECT CellRect(size_t index) const;

private:
    int VisibleRows() const;
    int Rows(size_t count) const;
    void PaintCell(HDC dc, size_t index, const PictureEntry& picture, const DrawingResources& drawing) const;

    HWND control_ = nullptr;
    HWND scroll_ = nullptr;
    RECT area_{};   // in the dialog's client coordinates
    int firstRow_ = 0;
};

}  // namespace acquire
