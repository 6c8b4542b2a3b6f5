#include "ThumbnailArea.h"

#include "PictureDrawing.h"
#include "PvresIds.h"

#include <algorithm>
#include <cstdio>

namespace acquire {
namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// The 16 x 16 image of the strip that marks where a picture came from.
void DrawSourceMark(HDC dc, HBITMAP strip, int index, int left, int top) {
    if (!strip) return;
    pv::MemoryDC source(dc);
    pv::SelectedObject selected(source.get(), strip);
    BitBlt(dc, left, top, 16, 16, source.get(), index * 16, 0, SRCCOPY);
}

}  // namespace

void ThumbnailArea::Attach(HWND dialog, int areaId, int scrollId) {
    control_ = GetDlgItem(dialog, areaId);
    scroll_ = GetDlgItem(dialog, scrollId);
    GetWindowRect(control_, &area_);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area_), 2);
    firstRow_ = 0;
}

int ThumbnailArea::columns() const {
    RECT bar{};
    GetWindowRect(scroll_, &bar);
    return std::max(1, (Width(area_) - Width(bar) - kGap) / (kCellWidth + kGap));
}

int ThumbnailArea::VisibleRows() const { return std::max(1, (Height(area_) - kGap) / (kCellHeight + kGap)); }

int ThumbnailArea::Rows(size_t count) const { return int((count + size_t(columns()) - 1) / size_t(columns())); }

RECT ThumbnailArea::CellRect(size_t index) const {
    int column = int(index % size_t(columns())), row = int(index / size_t(columns())) - firstRow_;
    int left = kGap + column * (kCellWidth + kGap), top = kGap + row * (kCellHeight + kGap);
    return {left, top, left + kCellWidth, top + kCellHeight};
}

int ThumbnailArea::HitTest(POINT p, size_t count) const {
    if (!Contains(p)) return -1;
    POINT inside{p.x - area_.left, p.y - area_.top};
    for (size_t i = size_t(firstRow_) * size_t(columns()); i < count; ++i) {
        RECT cell = CellRect(i);
        if (cell.top >= Height(area_)) break;
        if (PtInRect(&cell, inside)) return int(i);
    }
    return -1;
}

void ThumbnailArea::UpdateScrollBar(size_t count) {
    int rows = Rows(count);
    firstRow_ = std::clamp(firstRow_, 0, std::max(0, rows - VisibleRows()));
    SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, 0, std::max(0, rows - 1), UINT(VisibleRows()), firstRow_, 0};
    SetScrollInfo(scroll_, SB_CTL, &info, TRUE);
}

void ThumbnailArea::Scroll(int request, size_t count) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(scroll_, SB_CTL, &info);
    int row = firstRow_;
    switch (request) {
    case SB_LINEUP: --row; break;
    case SB_LINEDOWN: ++row; break;
    case SB_PAGEUP: row -= VisibleRows(); break;
    case SB_PAGEDOWN: row += VisibleRows(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: row = info.nTrackPos; break;
    case SB_TOP: row = 0; break;
    case SB_BOTTOM: row = Rows(count); break;
    default: return;
    }
    firstRow_ = row;
    UpdateScrollBar(count);
    Redraw();
}

void ThumbnailArea::PaintCell(HDC dc, size_t index, const PictureEntry& picture, const DrawingResources& drawing) const {
    RECT cell = CellRect(index);
    FillRect(dc, &cell, drawing.cellBrush());
    int left = cell.left + (kCellWidth - 96) / 2, top = cell.top + 4;
    if (picture.thumbnail.empty()) {
        RECT image{left, top, left + 96, top + 72};
        DrawPicture(dc, drawing.placeholder(), image);
    } else {
        DrawThumbnail(dc, picture.thumbnail, left, top);
    }
    if (picture.selected) {
        pv::SelectedObject pen(dc, drawing.selectionPen());
        pv::SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, left - 2, top - 2, left + 98, top + 74);
    }
    DrawSourceMark(dc, drawing.strip(), picture.source == PictureEntry::Source::kCamera ? 0 : 1, cell.left + 4, cell.bottom - 20);
    char label[32];
    std::snprintf(label, sizeof label, PvresString(IDS_PV_NUMBER_FORMAT, " %d ").c_str(), int(index + 1));
    RECT text{cell.left + 20, top + 74, cell.right, cell.bottom};
    pv::SelectedObject font(dc, drawing.font());
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, label, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void ThumbnailArea::Paint(const DRAWITEMSTRUCT& item, const std::vector<PictureEntry>& pictures,
                          const DrawingResources& drawing) const {
    RECT whole = item.rcItem;
    pv::MemoryDC canvas(item.hDC);
    pv::GdiBitmap surface(CreateCompatibleBitmap(item.hDC, Width(whole), Height(whole)));
    if (!canvas || !surface) return;
    pv::SelectedObject target(canvas.get(), surface.get());
    if (drawing.palette()) {
        SelectPalette(canvas.get(), drawing.palette(), FALSE);
        RealizePalette(canvas.get());
    }
    FillRect(canvas.get(), &whole, drawing.areaBrush());
    SIZE picture = PictureSize(drawing.background());
    int left = (Width(whole) - picture.cx) / 2, top = (Height(whole) - picture.cy) / 2;
    RECT background{left, top, left + picture.cx, top + picture.cy};
    DrawPicture(canvas.get(), drawing.background(), background);
    for (size_t i = size_t(firstRow_) * size_t(columns()); i < pictures.size(); ++i) {
        if (CellRect(i).top >= Height(whole)) break;
        PaintCell(canvas.get(), i, pictures[i], drawing);
    }
    // The scroll bar lies over the area's right edge: the area leaves it alone.
    RECT bar;
    GetWindowRect(scroll_, &bar);
    MapWindowPoints(nullptr, control_, reinterpret_cast<POINT*>(&bar), 2);
    ExcludeClipRect(item.hDC, bar.left, bar.top, bar.right, bar.bottom);
    BitBlt(item.hDC, whole.left, whole.top, Width(whole), Height(whole), canvas.get(), 0, 0, SRCCOPY);
}

}  // namespace acquire
