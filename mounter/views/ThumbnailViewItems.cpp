#include "ThumbnailViewItems.h"

#include <algorithm>

namespace {

bool Meets(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

}  // namespace

void CThumbnailViewItems::Add(std::unique_ptr<CThumbnailViewItem> cell) {
    m_cells.push_back(std::move(cell));
    if (m_focus < 0) SetFocus(Count() - 1);
}

void CThumbnailViewItems::Clear() {
    m_cells.clear();
    m_selectedCount = 0;
    m_focus = -1;
}

int CThumbnailViewItems::HitTest(POINT point) const {
    for (int i = 0; i < Count(); ++i)
        if (At(i).Hits(point)) return i;
    return -1;
}

std::vector<LPCITEMIDLIST> CThumbnailViewItems::SelectedItems() const {
    std::vector<LPCITEMIDLIST> items;
    for (const auto& cell : m_cells)
        if (cell->Selected()) items.push_back(cell->Item());
    return items;
}

void CThumbnailViewItems::SetSelected(int index, bool selected) {
    if (index < 0 || index >= Count() || !At(index).SetSelected(selected)) return;
    m_selectedCount += selected ? 1 : -1;
}

void CThumbnailViewItems::ClearSelection() {
    for (int i = 0; i < Count(); ++i) SetSelected(i, false);
}

void CThumbnailViewItems::SelectAll() {
    for (int i = 0; i < Count(); ++i) SetSelected(i, true);
}

void CThumbnailViewItems::InvertSelection() {
    for (int i = 0; i < Count(); ++i) SetSelected(i, !At(i).Selected());
}

void CThumbnailViewItems::SetFocus(int index) {
    if (m_focus >= 0 && m_focus < Count()) At(m_focus).SetFocus(false);
    m_focus = index >= 0 && index < Count() ? index : -1;
    if (m_focus >= 0) At(m_focus).SetFocus(true);
}

void CThumbnailViewItems::SelectSpan(int from, int to) {
    if (from < 0 || from >= Count()) from = to;
    if (to < 0 || to >= Count()) return;
    RECT a = At(from).CellRect(), b = At(to).CellRect();
    RECT span = {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
    for (int i = 0; i < Count(); ++i)
        if (Meets(At(i).CellRect(), span)) SetSelected(i, true);
}

void CThumbnailViewItems::SelectInRect(const RECT& band) {
    for (int i = 0; i < Count(); ++i) SetSelected(i, Meets(At(i).CellRect(), band));
}
