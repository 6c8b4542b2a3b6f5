#include "ThumbViewScrolling.h"

#include "ThumbnailLayout.h"

#include <algorithm>

namespace thumbscroll {

namespace {

constexpr int kRowGap = 20;

Setting HalfCells(int cells, int visible) {
    if (cells <= visible) return {};
    return {2 * cells - 1, 2 * visible};
}

}  // namespace

Setting Horizontal(int columns, int clientWidth) { return HalfCells(columns, thumblayout::ColumnsFor(clientWidth)); }

Setting Vertical(int rows, int clientHeight, int cellHeight) {
    int visible = std::max(1, clientHeight / (cellHeight + kRowGap));
    return HalfCells(rows, visible);
}

int NextPosition(UINT code, int position, int thumb, const Setting& setting) {
    int next = position;
    switch (code) {
    case SB_LINEUP: next = position - 1; break;
    case SB_LINEDOWN: next = position + 1; break;
    case SB_PAGEUP: next = position - setting.page; break;
    case SB_PAGEDOWN: next = position + setting.page; break;
    case SB_THUMBPOSITION: next = thumb; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = setting.max; break;
    default: break;
    }
    return std::clamp(next, 0, setting.max);
}

}  // namespace thumbscroll

namespace {

int BarIndex(int bar) { return bar == SB_HORZ ? 0 : 1; }

int PositionOf(HWND window, int bar) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    return GetScrollInfo(window, bar, &info) ? info.nPos : 0;
}

}  // namespace

void CThumbViewScrolling::Reset(HWND window) {
    m_settings[0] = m_settings[1] = {};
    m_offset = {};
    Apply(window, SB_HORZ, {}, 0);
    Apply(window, SB_VERT, {}, 0);
}

void CThumbViewScrolling::Update(HWND window, int columns, int rows, SIZE cell) {
    RECT client = {};
    GetClientRect(window, &client);
    m_cell = cell;
    m_settings[0] = thumbscroll::Horizontal(columns, client.right);
    m_settings[1] = thumbscroll::Vertical(rows, client.bottom, cell.cy);
    Apply(window, SB_HORZ, m_settings[0], std::min(PositionOf(window, SB_HORZ), m_settings[0].max));
    Apply(window, SB_VERT, m_settings[1], std::min(PositionOf(window, SB_VERT), m_settings[1].max));
    POINT before = m_offset;
    FollowPositions(window);
    if (before.x != m_offset.x || before.y != m_offset.y) InvalidateRect(window, nullptr, TRUE);
}

void CThumbViewScrolling::Scroll(HWND window, int bar, UINT code, int thumb) {
    if (code == SB_THUMBTRACK || code == SB_ENDSCROLL) return;
    const thumbscroll::Setting& setting = m_settings[BarIndex(bar)];
    int position = thumbscroll::NextPosition(code, PositionOf(window, bar), thumb, setting);
    Apply(window, bar, setting, position);
    FollowPositions(window);
    InvalidateRect(window, nullptr, TRUE);
}

void CThumbViewScrolling::Apply(HWND window, int bar, const thumbscroll::Setting& setting, int position) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = setting.max;
    info.nPage = static_cast<UINT>(setting.page);
    info.nPos = position;
    SetScrollInfo(window, bar, &info, TRUE);
}

// The offsets follow the positions that the bars keep: a bar holds its thumb within its range less
// its page, so the picture never scrolls past what the bar shows.
void CThumbViewScrolling::FollowPositions(HWND window) {
    m_offset = {PositionOf(window, SB_HORZ) * m_cell.cx / 2, PositionOf(window, SB_VERT) * m_cell.cy / 2};
}
